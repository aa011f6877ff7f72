#include "sandbox/todaysweb.h"

#include <httplib.h>

#include <mutex>
#include <set>

#include "base/utext.h"

namespace marvessa::sandbox {

namespace {

std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

enum class Declared { Header, Meta, None };

struct Language {
  const char* contactPath;
  std::string anchor;  // UTF-8
  std::string title;   // UTF-8
  const char* charset;  // as the page names it
  const char* iconvName;
  Declared declared;
};

const Language& LanguageOf(int site) {
  static const Language kLanguages[] = {
      {"/lianxi.htm", Utf8(u8"联系我们"), Utf8(u8"联系我们 - 贸易公司"), "gbk", "GBK", Declared::Header},
      {"/contact-us.html", "Contact us", "Contact us - Trading company", "utf-8", "UTF-8", Declared::Header},
      {"/page?id=7", Utf8(u8"聯絡我們"), Utf8(u8"聯絡我們 - 貿易公司"), "big5", "BIG5", Declared::Meta},
      {"/nous-contacter.html", "Nous contacter", Utf8(u8"Nous contacter - Société"), "iso-8859-1", "ISO-8859-1",
       Declared::Header},
      {"/kontakty.html", Utf8(u8"Контакты"), Utf8(u8"Контакты - Компания"), "windows-1251", "CP1251", Declared::Meta},
      {"/impressum.html", "Impressum", Utf8(u8"Impressum - Größe GmbH"), "utf-8", "UTF-8", Declared::None},
      {"/toiawase.html", Utf8(u8"お問い合わせ"), Utf8(u8"お問い合わせ - 株式会社"), "shift_jis", "SHIFT_JIS",
       Declared::Meta},
      {"/contatti.html", "Contatti", Utf8(u8"Contatti - Società"), "utf-8", "UTF-8", Declared::Header},
  };
  return kLanguages[site % 8];
}

// A page of the site's language: UTF-8 text converted to its charset, declared as it declares it.
void SendPage(httplib::Response& response, int site, const std::string& title, const std::string& body) {
  const Language& language = LanguageOf(site);
  const std::string meta = language.declared == Declared::Meta
                               ? std::string("<meta charset=\"") + language.charset + "\">"
                               : std::string();
  const std::string html = "<html><head>" + meta + "<title>" + title + "</title></head><body>\r\n" + body +
                           "\r\n</body></html>\r\n";
  const std::string type = language.declared == Declared::Header ? std::string("text/html; charset=") + language.charset
                                                                  : std::string("text/html");
  response.set_content(ConvertText(html, language.iconvName, "UTF-8"), type);
}

}  // namespace

TodaysWeb::TodaysWeb(const TodaysWebOptions& options) : options_(options) {
  threads_ = std::make_unique<SharedServerThreads>(options_.threads);
  for (int site = 0; site < options_.sites; ++site) {
    auto configure = [this, site](httplib::Server& server) {
      auto slowDown = std::make_shared<std::pair<std::mutex, std::set<std::string>>>();
      server.set_pre_routing_handler([site, slowDown](const httplib::Request& request, httplib::Response& response) {
        if (site % 8 != 1 || request.path == "/robots.txt") return httplib::Server::HandlerResponse::Unhandled;
        std::lock_guard lock(slowDown->first);
        if (!slowDown->second.insert(request.target).second) return httplib::Server::HandlerResponse::Unhandled;
        response.status = 429;
        response.set_header("Retry-After", "1");
        return httplib::Server::HandlerResponse::Handled;
      });
      server.Get("/robots.txt", [this](const httplib::Request&, httplib::Response& response) {
        ++robots_;
        response.set_content("User-agent: *\nDisallow: /products.htm\n", "text/plain");
      });
      server.Get("/", [site](const httplib::Request&, httplib::Response& response) {
        const Language& language = LanguageOf(site);
        SendPage(response, site, "Home - " + Domain(site),
                 "<p>E-mail: info@" + Domain(site) + "</p>\r\n<a href=\"" + language.contactPath + "\">" +
                     language.anchor + "</a> <a href=\"/products.htm\">Products</a>");
      });
      server.Get(LanguageOf(site).contactPath == std::string("/page?id=7") ? "/page" : LanguageOf(site).contactPath,
                 [site](const httplib::Request&, httplib::Response& response) {
                   SendPage(response, site, LanguageOf(site).title, "<p>sales@" + Domain(site) + "</p>");
                 });
      server.Get("/products.htm", [this, site](const httplib::Request&, httplib::Response& response) {
        ++forbidden_;
        SendPage(response, site, "Products", "<p>orders@" + Domain(site) + "</p>");
      });
    };
    servers_.push_back(std::make_unique<LoopbackHttpServer>(LoopbackHost(options_.firstHost + site), configure, 0,
                                                            options_.tls, threads_.get()));
  }
}

TodaysWeb::~TodaysWeb() = default;

std::string TodaysWeb::SiteUrl(int site) const { return servers_[site]->Origin() + "/"; }

std::string TodaysWeb::ContactUrl(int site) const { return servers_[site]->Origin() + LanguageOf(site).contactPath; }

std::string TodaysWeb::Domain(int site) { return "t" + std::to_string(site) + "-company.cn"; }

std::string TodaysWeb::ContactTitle(int site) { return Utf8ToGbk(LanguageOf(site).title); }

}  // namespace marvessa::sandbox
