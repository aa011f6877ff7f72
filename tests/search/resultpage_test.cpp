#include <gtest/gtest.h>

#include "search/uenginestatus.h"
#include "search/uoutcome.h"
#include "search/uresultlink.h"
#include "search/uresultpage.h"

namespace marvessa {
namespace {

TEST(ResultLinks, WrappersGiveTheAddressTheyCarry) {
  struct Case {
    LinkWrapper wrapper;
    const char* link;
    const char* address;
  };
  for (const Case& c : {
           // "https://a.example/x?y=1" in base64url; padding left out as Bing does.
           Case{LinkWrapper::kBase64Url, "https://www.bing.com/ck/a?!&&p=1&u=a1aHR0cHM6Ly9hLmV4YW1wbGUveD95PTE&ntb=1",
                "https://a.example/x?y=1"},
           Case{LinkWrapper::kBase64Url, "/ck/a?u=a1aHR0cDovL2IuZXhhbXBsZS_DvA", "http://b.example/%C3%BC"},
           Case{LinkWrapper::kBase64Url, "https://www.bing.com/ck/a?xu=a1aHR0cDovL2M&u=b2", "https://www.bing.com/ck/a?xu=a1aHR0cDovL2M&u=b2"},
           Case{LinkWrapper::kRu, "https://r.search.yahoo.com/_ylt=A;_ylu=B/RV=2/RU=https%3a%2f%2fc.example%2fp%3fq%3d1/RK=2/RS=x-",
                "https://c.example/p?q=1"},
           Case{LinkWrapper::kRu, "https://r.search.yahoo.com/RU=http%3A%2F%2Fd.example%2F/RS=z", "http://d.example/"},
           Case{LinkWrapper::kUddg, "//duckduckgo.com/l/?uddg=https%3A%2F%2Fe.example%2Fa%20b&rut=9", "https://e.example/a%20b"},
           Case{LinkWrapper::kUddg, "//duckduckgo.com/l/?uddg=%2F%2Ff.example%2F&rut=9", "https://f.example/"},
           Case{LinkWrapper::kUrlQ, "/url?q=https://g.example/%3Fk%3Dv&sa=U&ved=1", "https://g.example/?k=v"},
           Case{LinkWrapper::kUrlQ, "https://h.example/?q=1", "https://h.example/?q=1"},
           Case{LinkWrapper::kNone, "https://www.bing.com/ck/a?u=a1aHR0cDovL2M", "https://www.bing.com/ck/a?u=a1aHR0cDovL2M"},
       }) {
    EXPECT_EQ(UnwrapResultLink(c.link, c.wrapper), c.address) << c.link;
  }
}

TEST(ResultLinks, CharacterReferencesDecodeInTheTargetCharset) {
  EXPECT_EQ(DecodeHtmlEntities("a?b=1&amp;c=2&#38;d=&#x3D;&AMP;", "UTF-8"), "a?b=1&c=2&d==&");
  EXPECT_EQ(DecodeHtmlEntities("&lt;b&gt; &quot;x&apos; &nbsp;&#8211;&ndash;", "UTF-8"), "<b> \"x'  \xE2\x80\x93\xE2\x80\x93");
  EXPECT_EQ(DecodeHtmlEntities("&#x4E2D;&#25991;", "GB18030"), "中文");
  EXPECT_EQ(DecodeHtmlEntities("R&D &unknown; &#0; &#xD800; &#99999999; &", "UTF-8"), "R&D &unknown; &#0; &#xD800; &#99999999; &");
}

EngineDef Engine(const char* extensions) {
  EngineDef e;
  e.areaStart = "<ol>";
  e.areaEnd = "</ol>";
  e.itemStart = "<li>";
  e.itemEnd = "</li>";
  e.urlStart = "href=\"";
  e.urlEnd = "\"";
  e.titleStart = ">";
  e.titleEnd = "</a>";
  e.extensions.AddLine(extensions);
  return e;
}

TEST(ResultPages, HtmlRecordsDecodeDropAndStripWhatTheOldFormatKeptAsCut) {
  const std::string page =
      "<ol><li><a href=\"/rel?a=1&amp;b=2\">T &amp; <b>U</b></a></li>"
      "<li><a href=\"https://ads.example/x\">Ad</a></li><li><a href=\"v.example/p#f\">V</a></li></ol>";
  const ResultPage old = CutResultPage(Engine(""), page, "text/html");
  ASSERT_EQ(old.items.size(), 3u);
  EXPECT_EQ(old.items[0].url, "http:///rel?a=1&amp");
  EXPECT_EQ(old.items[0].title, "T &amp; <b>U</b>");
  EXPECT_EQ(old.items[2].url, "http://v.example/p");
  const ResultPage html = CutResultPage(Engine("entities=1&skip=ads.example|nothing"), page, "text/html");
  ASSERT_EQ(html.items.size(), 1u);
  EXPECT_EQ(html.items[0].url, "http://v.example/p");
  EXPECT_TRUE(html.areaFound);
  EXPECT_FALSE(CutResultPage(Engine(""), "<li><a href=\"x\">x</a></li></ol>", "").areaFound);
}

// Non-ASCII markers of a record with a charset are looked for in the page's own charset.
TEST(ResultPages, MarkersMatchInThePagesCharset) {
  EngineDef e = Engine("charset=utf-8");
  e.nextStart = "<a class=n href=";
  e.nextEnd = ">下一页";
  e.nextMode = "1";
  e.nextPrefix = "https://s.example";
  const ResultPage cut = CutResultPage(e, "<ol><li><a href=\"https://a.example/\">\xE7\x94\xB2</a></li><a class=n href=/p2>"
                                          "\xE4\xB8\x8B\xE4\xB8\x80\xE9\xA1\xB5</a></ol>",
                                       "text/html; charset=utf-8");
  ASSERT_EQ(cut.items.size(), 1u);
  EXPECT_EQ(cut.items[0].title, "甲");
  EXPECT_EQ(cut.next, "https://s.example/p2");
}

EngineResponse Response(int status, const std::string& body) {
  EngineResponse response;
  response.status = status;
  response.body = body;
  return response;
}

TEST(EngineOutcome, StatusHeadersAndPageDecide) {
  struct Case {
    int status;
    const char* location;
    const char* body;
    const char* extensions;
    FetchOutcome outcome;
  };
  const char* const results = "<ol><li><a href=\"https://a.example/\">A captcha</a></li></ol>";
  for (const Case& c : {
           Case{200, "", results, "", FetchOutcome::kOk},
           Case{200, "", "<ol></ol>", "", FetchOutcome::kNoResults},
           Case{200, "", "<div>redesigned</div>", "", FetchOutcome::kLayoutChanged},
           Case{200, "", "", "", FetchOutcome::kLayoutChanged},
           Case{200, "", "<p>nothing for this</p>", "noresults=nothing for", FetchOutcome::kNoResults},
           Case{200, "", "<form id=\"challenge-form\">", "", FetchOutcome::kBlocked},
           Case{200, "", "<title>\xE7\x99\xBE\xE5\xBA\xA6\xE5\xAE\x89\xE5\x85\xA8\xE9\xAA\x8C\xE8\xAF\x81</title>", "",
                FetchOutcome::kBlocked},
           Case{200, "", "<ol>please slow down</ol>", "block=Slow Down", FetchOutcome::kBlocked},
           Case{200, "https://www.s.example/antispider?from=/web", results, "", FetchOutcome::kBlocked},
           Case{200, "https://www.s.example/web?q=captcha", results, "", FetchOutcome::kOk},
           Case{302, "https://wappass.s.example/static/tuxing.html", "", "blockurl=wappass", FetchOutcome::kBlocked},
           Case{302, "https://cn.s.example/search?q=x", "", "", FetchOutcome::kRedirected},
           Case{429, "", "", "", FetchOutcome::kRateLimited},
           Case{403, "", "", "", FetchOutcome::kBlocked},
           Case{503, "", "", "", FetchOutcome::kBlocked},
           Case{404, "", "", "", FetchOutcome::kHttpStatus},
           Case{0, "", "", "", FetchOutcome::kNetworkError},
       }) {
    EngineResponse response = Response(c.status, c.body);
    response.location = c.location;
    const EngineDef e = Engine(c.extensions);
    EXPECT_EQ(ClassifyEngineResponse(response, e, CutResultPage(e, c.body, "text/html; charset=utf-8")), c.outcome)
        << c.status << " " << c.location << " " << c.body;
  }
  EngineResponse waitAWhile = Response(503, "");
  waitAWhile.retryAfterSeconds = 30;
  EXPECT_EQ(ClassifyEngineResponse(waitAWhile, Engine(""), {}), FetchOutcome::kRateLimited);
  EngineResponse captchaHeader = Response(200, results);
  captchaHeader.headers = {{"x-captcha", "1"}};
  EXPECT_EQ(ClassifyEngineResponse(captchaHeader, Engine("blockheader=X-Captcha"), {}), FetchOutcome::kBlocked);
  EngineResponse cutShort = Response(200, "");
  cutShort.error = "the connection was closed";
  EXPECT_EQ(ClassifyEngineResponse(cutShort, Engine(""), {}), FetchOutcome::kNetworkError);
}

// A 429 pauses the engine for its Retry-After or three minutes; a verification for the run.
TEST(EngineSuspension, PausesLastAsTheAnswerAsks) {
  using namespace std::chrono_literals;
  struct Case {
    FetchOutcome outcome;
    int retryAfter;
    std::chrono::seconds stillPaused, free;
  };
  const auto now = EngineStatus::Clock::now();
  for (const Case& c : {Case{FetchOutcome::kRateLimited, 30, 29s, 31s}, Case{FetchOutcome::kRateLimited, -1, 179s, 181s},
                        Case{FetchOutcome::kBlocked, -1, 100000h, 0s}, Case{FetchOutcome::kLayoutChanged, -1, 0s, 0s}}) {
    EngineStatus status;
    status.Begin({{"a", 0, true, ""}});
    status.Record(0, c.outcome, 0, "", 0, c.retryAfter, now);
    EXPECT_EQ(status.IsSuspended(0, now + c.stillPaused), c.stillPaused > 0s) << static_cast<int>(c.outcome);
    if (c.free > 0s) {
      EXPECT_FALSE(status.IsSuspended(0, now + c.free));
    }
  }
}

}  // namespace
}  // namespace marvessa
