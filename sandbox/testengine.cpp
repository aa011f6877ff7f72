#include "sandbox/testengine.h"

#include <httplib.h>

#include "engines/uengine.h"
#include "net/ucharset.h"
#include "search/ukeywords.h"

#include <algorithm>

namespace marvessa::sandbox {

namespace {

// The keyword as the query carries it, decoded as a form field.
std::string Shown(std::string keyword) {
  std::replace(keyword.begin(), keyword.end(), '+', ' ');
  return PercentDecode(keyword);
}

EngineRequest ParseEngineRequest(const httplib::Request& request) {
  EngineRequest parsed;
  parsed.target = request.target;
  parsed.userAgent = request.get_header_value("User-Agent");
  parsed.accept = request.get_header_value("Accept");
  parsed.viaNextLink = parsed.target.find("&via=next") != std::string::npos;
  const std::size_t q = parsed.target.find("?q=");
  const std::size_t start = parsed.target.rfind("&start=");
  if (q == std::string::npos || start == std::string::npos || start < q + 3) return parsed;
  parsed.keyword = parsed.target.substr(q + 3, start - q - 3);
  const std::string rest = parsed.target.substr(start + 7);
  parsed.number = ParseDecimal(rest.substr(0, rest.find('&'))).value_or(0);
  return parsed;
}

}  // namespace

TestEngine::TestEngine(TestEngineOptions options, const std::string& host)
    : options_(std::move(options)), server_(host, [this](httplib::Server& server) {
        server.Get("/search", [this](const httplib::Request& request, httplib::Response& response) {
          EngineRequest parsed = ParseEngineRequest(request);
          const int offset = parsed.number - options_.firstPage;
          const int step = options_.pageStep == 0 ? 1 : options_.pageStep;
          if (offset % step == 0 && offset / step >= 0 && offset / step < options_.pages) parsed.page = offset / step;
          Answer(parsed, response);
          std::lock_guard lock(mutex_);
          requests_.push_back(std::move(parsed));
        });
        server.Get(R"(/hit/(\d+)\.htm)", [](const httplib::Request& request, httplib::Response& response) {
          const std::string n = request.matches[1];
          response.set_content("<html><head><title>Hit " + n + "</title></head><body>Mail hit" + n +
                                   "@hits-test.cn for hit " + n + ".</body></html>",
                               "text/html");
        });
      }, 16, options_.tls) {}

Lines TestEngine::EngineBlock() const {
  const bool titleFirst = options_.itemOrder > 0;
  return {"search",
          "<div id=results>",
          "</div><!--/results-->",
          "<li class=r>",
          "</li>",
          titleFirst ? "<cite>" : "<a href=",
          titleFirst ? "</cite>" : ">",
          titleFirst ? "<b>" : ">",
          titleFirst ? "</b>" : "</a>",
          "<span class=s>",
          "</span>",
          Origin() + "/",
          "?q=",
          "&start=",
          "&sa=N",
          "<a class=pg href=",
          ">Next</a>",
          IntToText(options_.pageStep),
          IntToText(options_.itemOrder),
          IntToText(options_.firstPage),
          options_.nextMode,
          options_.nextMode == "1" ? Origin() : "",
          "interval=" + IntToText(options_.intervalMs) + (options_.extensions.empty() ? "" : "&" + options_.extensions),
          "",
          ""};
}

std::string TestEngine::QueryUrl(const std::string& keyword, int k) const {
  EngineDef engine;
  LoadEngineBlock(TestRunEngineList({EngineBlock()}), 0, engine);
  return BuildQueryUrl(engine, keyword, k);
}

std::string TestEngine::ResultUrl(int n) const {
  const auto& urls = options_.resultUrls;
  return urls.empty() ? Origin() + "/hit/" + std::to_string(n) + ".htm" : urls[n % urls.size()];
}

std::string TestEngine::ResultTitle(int n, const std::string& keyword) const {
  return "Result " + std::to_string(n) + " " + Shown(keyword);
}

std::vector<EngineRequest> TestEngine::Requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

std::string TestEngine::PageLink(const std::string& keyword, int page) const {
  return "/search?q=" + keyword + "&start=" + std::to_string(options_.firstPage + page * options_.pageStep) +
         "&sa=N" + (options_.nextMode == "1" ? "&via=next" : "");
}

void TestEngine::Answer(const EngineRequest& request, httplib::Response& response) const {
  switch (options_.answer) {
    case TestEngineAnswer::kResults:
      return response.set_content(ResultPage(request.keyword, request.page), "text/html");
    case TestEngineAnswer::kNoResults:
      return response.set_content("<html><body><div id=results><p>No results.</p></div><!--/results--></body></html>",
                                  "text/html");
    case TestEngineAnswer::kRateLimited:
      response.status = 429;
      if (options_.retryAfter >= 0) response.set_header("Retry-After", std::to_string(options_.retryAfter));
      return response.set_content("Too many requests", "text/plain");
    case TestEngineAnswer::kForbidden:
      response.status = 403;
      return response.set_content("Access denied", "text/plain");
    case TestEngineAnswer::kVerificationRedirect:
      return response.set_redirect(Origin() + "/sorry/captcha?continue=" + request.keyword, 302);
    case TestEngineAnswer::kCaptchaPage:
      return response.set_content(
          "<html><body><form id=\"challenge-form\">Please verify you are human</form></body></html>", "text/html");
    case TestEngineAnswer::kChangedLayout:
      return response.set_content("<html><body><main><article><a href=\"" + ResultUrl(0) +
                                      "\">Result</a></article></main></body></html>",
                                  "text/html");
  }
}

std::string TestEngine::ResultPage(const std::string& keyword, int page) const {
  std::string html = "<html><head><title>Test engine</title></head><body>\r\n<p><a href=/help>Help</a></p>\r\n";
  if (page < 0) return html + "<p>No results.</p></body></html>\r\n";
  html += "<div id=results>\r\n";
  for (int j = 0; j < options_.resultsPerPage; ++j) {
    const int n = page * options_.resultsPerPage + j;
    std::string url = ResultUrl(n);
    if (options_.bareUrls) url = url.substr(url.find("://") + 3) + "#top";
    const std::string title = ResultTitle(n, keyword);
    html += "<li class=r>";
    html += options_.itemOrder > 0 ? "<b>" + title + "</b> <cite>" + url + "</cite>"
                                   : "<a href=\"" + url + "\">" + title + "</a>";
    html += "<span class=s>Summary of result " + std::to_string(n) + "</span></li>\r\n";
  }
  if (page + 1 < options_.pages) {
    const std::string link = PageLink(keyword, page + 1);
    html += "<p class=nav><a class=pg href=" + PageLink(keyword, page) + ">" + std::to_string(page + 1) +
            "</a> <a class=pg href=" + link + ">" + std::to_string(page + 2) + "</a> <a class=pg href=" + link +
            ">Next</a></p>\r\n";
  }
  return html + "</div><!--/results-->\r\n<p>Footer</p></body></html>\r\n";
}

Lines TestCatalog(const std::vector<CatalogEngine>& engines) {
  Lines lines = {"[qemosearchengine]", "请勿修改!", "2005-07-14", "[head]"};
  for (const auto& engine : engines) lines.insert(lines.end(), {engine.name, IntToText(engine.scope), "", "", ""});
  lines.push_back("[/head]");
  Lines body = TestRunEngineList({});
  for (const auto& engine : engines) body.insert(body.end() - 1, engine.block.begin(), engine.block.end());
  lines.insert(lines.end(), body.begin(), body.end());
  return lines;
}

Lines TestRunEngineList(const std::vector<Lines>& blocks) {
  Lines lines = {"[body]"};
  for (const auto& block : blocks) lines.insert(lines.end(), block.begin(), block.end());
  lines.push_back("[/body]");
  return lines;
}

}  // namespace marvessa::sandbox
