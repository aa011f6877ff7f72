#include "sandbox/companyweb.h"

#include <httplib.h>

#include <algorithm>

namespace marvessa::sandbox {

namespace {

std::string Domain(int site) { return "c" + std::to_string(site) + "-trade.cn"; }

std::string Filler(int site, std::size_t bytes) {
  const std::string sentence =
      "<p>Company " + std::to_string(site) + " makes garments, shoes and bags and exports them worldwide.</p>\r\n";
  std::string text;
  while (text.size() + sentence.size() <= bytes) text += sentence;
  return text;
}

// The address text of a page as it stands in the HTML.
std::string AddressText(int site, std::string_view page) {
  const std::string d = Domain(site);
  const std::string s = std::to_string(site);
  if (page == "contact.htm") return "Sales: sales@" + d + "<br>Manager: Zhang.Wei@C" + s + "-Trade.cn.";
  if (page == "about.htm") return "Jobs: hr @ " + d;
  if (page == "lx.htm") return "联系人：王先生 邮箱：service@" + d;
  if (page == "products.htm") return "Orders: orders@" + d;
  return "E-mail: info@" + d;
}

}  // namespace

CompanyWeb::CompanyWeb(const CompanyWebOptions& options) : options_(options) {
  constexpr int kOwnThreadsUpToHosts = 8;
  if (options_.hosts > kOwnThreadsUpToHosts) sharedThreads_ = std::make_unique<SharedServerThreads>(options_.threadsPerHost);
  for (int h = 0; h < options_.hosts; ++h) {
    auto configure = [this, h](httplib::Server& server) {
      server.Get(R"(/s(\d+)/([a-z.]*))", [this, h](const httplib::Request& request, httplib::Response& response) {
        ++requests_;
        const int site = std::stoi(request.matches[1]);
        const std::string page = request.matches[2];
        const auto& names = PageNames();
        if (site >= options_.sites || site % options_.hosts != h ||
            std::find(names.begin(), names.end(), page) == names.end()) {
          response.status = 404;
          return;
        }
        std::string html = PageHtml(site, page);
        if (options_.compress) {
          response.set_content(std::move(html), "text/html");
          return;
        }
        // The library compresses only a body set whole, not one a provider of known length writes.
        const std::size_t length = html.size();
        response.set_content_provider(length, "text/html",
                                      [html = std::move(html)](std::size_t offset, std::size_t bytes, httplib::DataSink& sink) {
                                        return sink.write(html.data() + offset, bytes);
                                      });
      });
    };
    servers_.push_back(std::make_unique<LoopbackHttpServer>(LoopbackHost(2 + h), configure, options_.threadsPerHost,
                                                            options_.tls, sharedThreads_.get()));
  }
}

CompanyWeb::~CompanyWeb() = default;

const std::vector<std::string>& CompanyWeb::PageNames() {
  static const std::vector<std::string> names = {"", "contact.htm", "about.htm", "lx.htm", "products.htm"};
  return names;
}

std::string CompanyWeb::SiteUrl(int site) const {
  return servers_[site % options_.hosts]->Origin() + "/s" + std::to_string(site) + "/";
}

std::string CompanyWeb::PageUrl(int site, std::string_view page) const { return SiteUrl(site) + std::string(page); }

std::vector<std::string> CompanyWeb::PageUrls() const {
  std::vector<std::string> urls;
  for (int site = 0; site < options_.sites; ++site)
    for (const auto& page : PageNames()) urls.push_back(PageUrl(site, page));
  return urls;
}

std::vector<std::string> CompanyWeb::Addresses(int site, std::string_view page) {
  const std::string d = Domain(site);
  if (page == "contact.htm") return {"sales@" + d, "Zhang.Wei@C" + std::to_string(site) + "-Trade.cn"};
  if (page == "about.htm") return {"hr@" + d};
  if (page == "lx.htm") return {"service@" + d};
  if (page == "products.htm") return {"orders@" + d};
  return {"info@" + d};
}

std::string CompanyWeb::Title(int site, std::string_view page) {
  const std::string name = "Company " + std::to_string(site) + " - ";
  if (page == "contact.htm") return name + "Contact";
  if (page == "about.htm") return name + "About";
  if (page == "lx.htm") return name + "联系我们";
  if (page == "products.htm") return name + "Products";
  return name + "Home";
}

std::string CompanyWeb::PageHtml(int site, std::string_view page) const {
  const std::string s = std::to_string(site);
  std::string html = "<html><head><title>" + Title(site, page) + "</title></head><body>\r\n<h1>Company " + s +
                     "</h1>\r\n" + Filler(site, options_.fillerBytes) + "<p>" + AddressText(site, page) + "</p>\r\n";
  if (page.empty()) {
    const int next = (site + 1) % options_.sites;
    html += "<a href=\"contact.htm\">Contact us</a> <a href='/s" + s + "/about.htm'>About us</a> <a href=" +
            PageUrl(site, "lx.htm") + ">联系我们</a>\r\n<a href=\"products.htm\">Products</a> <img src=\"logo.gif\"> " +
            "<a href=\"mailto:info@" + Domain(site) + "\">Mail us</a> <a href=\"" + PageUrl(next, "about.htm") +
            "\">Partner</a>\r\n";
  } else if (page == "contact.htm") {
    html += "<a href=\"about.htm#team\">Our team</a>\r\n";
  }
  return html + "</body></html>\r\n";
}

CompanyWebOptions CrawlBenchmarkWeb(const TestCa* tls) {
  CompanyWebOptions options;
  options.sites = kCrawlBenchmarkSites;
  options.hosts = kCrawlBenchmarkSites;
  options.fillerBytes = 3000;
  options.threadsPerHost = 96;
  options.tls = tls;
  return options;
}

}  // namespace marvessa::sandbox
