// A search engine on loopback in the format of an engine definition: EngineBlock() gives the 25
// body lines of an engine that queries this server and cuts its result pages.
//
// The query URL of page k is Origin() + "/search?q=" + keyword + "&start=" + number + "&sa=N",
// with number = firstPage + k * pageStep. The keyword is taken from the request byte for byte
// (percent-encoded) and written back into the page links as received. Pages 0 .. pages-1
// hold resultsPerPage items each; every page but the last has a next-page link. Result n (counted
// over all pages from 0) links to resultUrls[n % size], or to Origin() + "/hit/<n>.htm" when
// resultUrls is empty, and is titled "Result <n> <keyword>" (the keyword decoded as a form
// field: "+" and "%20" as blanks).
//
// Result page layout (markers in brackets are those of the block):
//   <div id=results>                                                   [areaStart, exact case]
//   itemOrder 0: <li class=r><a href="URL">TITLE</a><span class=s>..</span></li>
//   itemOrder 1: <li class=r><b>TITLE</b> <cite>URL</cite><span class=s>..</span></li>
//   <p class=nav><a class=pg href=LINK1>1</a> <a class=pg href=LINK2>2</a>
//     <a class=pg href=LINK2>Next</a></p>                            [nextStart, nextEnd]
//   </div><!--/results-->                                              [areaEnd, exact case]
// With nextMode "1" the links carry "&via=next", so a request shows whether it came from a link
// (nextPrefix is Origin()) or was rebuilt from the page number.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "base/utext.h"
#include "sandbox/testweb.h"

namespace httplib {
struct Response;
}

namespace marvessa::sandbox {

// What the engine answers to every query.
enum class TestEngineAnswer {
  kResults,               // the result pages above
  kNoResults,             // the result area without items
  kRateLimited,           // 429, with Retry-After when retryAfter is 0 or more
  kForbidden,             // 403
  kVerificationRedirect,  // 302 to "/sorry/captcha?continue=…"
  kCaptchaPage,           // 200: a page that asks to prove one is human
  kChangedLayout,         // 200: results in a markup the record does not know
};

struct TestEngineOptions {
  int pages = 3;
  int resultsPerPage = 10;
  int firstPage = 0;
  int pageStep = 10;
  int itemOrder = 0;
  std::string nextMode = "0";
  std::vector<std::string> resultUrls{};
  // Result URLs shown without "http://" and with a "#top" fragment, as some engines print them.
  bool bareUrls = false;
  // Served over https with this CA's certificate.
  const TestCa* tls = nullptr;
  // The record's "interval" extension: the sandbox engine may be asked without a pause.
  int intervalMs = 0;
  TestEngineAnswer answer = TestEngineAnswer::kResults;
  int retryAfter = -1;
  // More "key=value" extensions of the record, joined by "&".
  std::string extensions{};
};

struct EngineRequest {
  std::string target;   // the request target, byte for byte
  std::string keyword;  // the bytes between "q=" and the last "&start="
  int number = 0;       // the page number in the query
  int page = -1;        // the result page served, -1 when the number names none
  bool viaNextLink = false;
  std::string userAgent;  // header values without trailing blanks (the server library drops them)
  std::string accept;
};

class TestEngine {
 public:
  explicit TestEngine(TestEngineOptions options = {}, const std::string& host = "127.0.0.1");

  std::string Origin() const { return server_.Origin(); }
  const TestEngineOptions& Options() const { return options_; }
  // The 25 lines of this engine's body record.
  Lines EngineBlock() const;
  // The query URL BuildQueryUrl makes from EngineBlock() for page k.
  std::string QueryUrl(const std::string& keyword, int k) const;
  // The URL and title of result n.
  std::string ResultUrl(int n) const;
  std::string ResultTitle(int n, const std::string& keyword) const;
  std::vector<EngineRequest> Requests() const;

 private:
  void Answer(const EngineRequest& request, httplib::Response& response) const;
  std::string ResultPage(const std::string& keyword, int page) const;
  std::string PageLink(const std::string& keyword, int page) const;

  TestEngineOptions options_;
  mutable std::mutex mutex_;
  std::vector<EngineRequest> requests_;
  LoopbackHttpServer server_;  // last: it stops before the members its handlers use go away
};

struct CatalogEngine {
  std::string name;
  int scope = 0;
  Lines block;  // 25 lines
};
// A whole engine catalogue (plain lines, as LoadCatalog returns them) holding these engines;
// EngineFileText() of it is the file form.
Lines TestCatalog(const std::vector<CatalogEngine>& engines);
// A run engine list: "[body]", the blocks, "[/body]".
Lines TestRunEngineList(const std::vector<Lines>& blocks);

}  // namespace marvessa::sandbox
