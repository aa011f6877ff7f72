#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "net/ucharset.h"
#include "sandbox/corpus.h"
#include "search/ulinkfilter.h"
#include "search/uscanner.h"

namespace marvessa {
namespace {

std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

struct Found {
  std::string email, url, title;
  bool operator==(const Found&) const = default;
};

class ScannerTest : public ::testing::Test {
 protected:
  ScannerTest() { settings.filterurl = false; settings.filtertitle = false; }

  PageScanner MakeScanner(std::string text, int titleIndex = -1, const std::string& charset = "GB18030") {
    page = std::move(text);
    RemoveLineBreaks(page);
    return PageScanner({page, currentUrl, titleIndex, stop, charset, run, settings,
                        [this](const std::string& e, const std::string& u, const std::string& t) {
                          if (onResult) onResult();
                          found.push_back({e, u, t});
                        },
                        [this](const std::string& url) {
                          links.push_back(url);
                          run.AddLevel2(url);
                        }});
  }
  void ScanEmails(std::string text, int titleIndex = -1, const std::string& charset = "GB18030") {
    MakeScanner(std::move(text), titleIndex, charset).ScanEmails();
  }
  Lines Emails(std::string text) {
    found.clear();
    run.Edit([](UrlQueue&, PackedLines&, UrlQueue&, SeenList& seen) { seen.Clear(); });
    const std::string charset = PageCharset("", text);
    ScanEmails(std::move(text), -1, charset);
    Lines emails;
    for (const Found& f : found) emails.push_back(f.email);
    return emails;
  }
  Lines Links(std::string text) {
    const PageScanner scanner = MakeScanner(std::move(text));
    scanner.ScanLinks(currentUrl);
    return links;
  }
  std::string TitleOf(std::string text, int titleIndex = -1, const std::string& charset = "GB18030") {
    found.clear();
    run.Edit([](UrlQueue&, PackedLines&, UrlQueue&, SeenList& seen) { seen.Clear(); });
    ScanEmails(std::move(text) + " a@b.cn", titleIndex, charset);
    return found.empty() ? "<none>" : found.back().title;
  }

  Settings settings;
  RunState run{settings};
  std::atomic<bool> stop{false};
  std::string currentUrl = "http://127.0.0.1/d1/p.htm";
  std::string page;
  std::vector<Found> found;
  Lines links;
  std::function<void()> onResult;
};

TEST_F(ScannerTest, AddressesAsWrittenWithoutSentenceStopAndAcrossBlanks) {
  EXPECT_EQ(Emails("Write to Sales@Acme-Trade.COM. Or info @ x-y.cn, thanks"), (Lines{"Sales@Acme-Trade.COM", "info@x-y.cn"}));
  EXPECT_EQ(found[0], (Found{"Sales@Acme-Trade.COM", currentUrl, ""}));
}

TEST_F(ScannerTest, AnAddressIsReportedOnceWhateverItsCaseAndPage) {
  ScanEmails("A@B.cn and a@b.CN");
  ScanEmails("<p>a@B.Cn</p>");
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].email, "A@B.cn");
  EXPECT_EQ(run.Seen().At(0), "a@b.cn");
}

TEST_F(ScannerTest, TheRunsAddressRulesDecide) {
  EXPECT_EQ(Emails("a@b.cn c@d.cn"), (Lines{"a@b.cn", "c@d.cn"}));
  run.SetAddressRules(std::make_shared<const AddressRules>(
      *AddressRules::Parse("[address rules]\n[placeholder domains]\nb.cn\n[/body]\n")));
  EXPECT_EQ(Emails("a@b.cn c@d.cn"), Lines{"c@d.cn"});
}

TEST_F(ScannerTest, LineBreaksAreRemovedBeforeScanning) {
  std::string text = "a\r\nb\rc\nd";
  RemoveLineBreaks(text);
  EXPECT_EQ(text, "abcd");
  EXPECT_EQ(Emails("sales@shop\r\nmart.com"), Lines{"sales@shopmart.com"});
}

TEST_F(ScannerTest, TitleOfALevel1PageIsTheEngineResultTitle) {
  run.AddLevel1("http://127.0.0.1/", "Engine <b>R&amp;D</b> 标题");
  EXPECT_EQ(TitleOf("<title>Own</title>", 0), "Engine RD 标题");
  run.AddLevel1("http://127.0.0.2/", "");
  EXPECT_EQ(TitleOf("<TITLE>Own <i>page</i> &nbsp;x</Title>", 1), "Own page x");
  EXPECT_EQ(TitleOf("<title>Own</title>", 5), "Own");
}

TEST_F(ScannerTest, TitleMustCloseWithinTheTitleWindow) {
  const std::string inside(256 - 7 - 8, 't');
  EXPECT_EQ(TitleOf("x<title>" + inside + "</title>"), inside);
  EXPECT_EQ(TitleOf("x<title>" + inside + "t</title>"), "");
  EXPECT_EQ(TitleOf("no title here"), "");
}

TEST_F(ScannerTest, TitleFilterBlanksTheTitleButKeepsTheAddress) {
  settings.filtertitle = true;
  EXPECT_EQ(TitleOf("<title>服装 Export</title>"), "");  // no terms at all
  run.SetKeywordTerms({"出口", "export"});
  EXPECT_EQ(TitleOf("<title>服装 EXPORT</title>"), "服装 EXPORT");
  EXPECT_EQ(TitleOf("<title>服装 公司</title>"), "");
  EXPECT_EQ(found.size(), 1u);
}

TEST_F(ScannerTest, PageTitleIsConvertedFromThePagesCharsetAndMatchesAGbkKeyword) {
  settings.filtertitle = true;
  run.SetKeywordTerms({"服装"});
  const std::string utf8Title = Utf8(u8"服装出口 &amp; 公司");
  EXPECT_EQ(TitleOf("<title>" + utf8Title + "</title>", -1, "UTF-8"), "服装出口  公司");
  EXPECT_EQ(TitleOf("<title>" + utf8Title + "</title>", -1, "GB18030"), "");
  // Engine titles are the worker's to convert; addresses and links stay byte for byte.
  run.AddLevel1("http://127.0.0.1/", "服装 result");
  EXPECT_EQ(TitleOf("<title>x</title>", 0, "UTF-8"), "服装 result");
}

TEST_F(ScannerTest, LinksAreCutAtQuotesBlanksAndFragments) {
  EXPECT_EQ(Links("<a HREF=\"Contact.htm#form\" class=x>c</a><a href='#top'>t</a><a href=/about/ >"
                  "<img SRC=\"pic.js\"><a href = \"spaced.htm\">"),
            (Lines{"http://127.0.0.1/d1/Contact.htm", "http://127.0.0.1/about/", "http://127.0.0.1/d1/pic.js"}));
}

TEST_F(ScannerTest, UnwantedLinksAreNotFollowed) {
  EXPECT_TRUE(Links("<a href=mailto:a@b.cn><a href=\"javascript:go()\">"
                    "<a href=ftp://127.0.0.1/x><img src=a.jpg><a href=notes.txt><link href=s.css>"
                    "<a href=photo.jpeg><a href=a><a href=ip><a href=http\x01://127.0.0.1/x>")
                  .empty());
  EXPECT_TRUE(IsWantedLink("x.js", settings));
  EXPECT_TRUE(IsWantedLink("HTTP://127.0.0.1/x", settings));
  // Resolved links: the scheme's letters in any case, its ":" and "/" as they stand.
  const LinkFilter filter(settings);
  EXPECT_TRUE(filter.FollowsSchemeOf("HTTPS://127.0.0.1/x"));
  EXPECT_TRUE(filter.FollowsSchemeOf(" hTtP://a"));
  EXPECT_FALSE(filter.FollowsSchemeOf("http\x1A//127.0.0.1/x"));
  EXPECT_FALSE(filter.FollowsSchemeOf("https\x1A//127.0.0.1/x"));
  EXPECT_FALSE(filter.FollowsSchemeOf("httpx://127.0.0.1/x"));
}

TEST_F(ScannerTest, HttpsLinksAreFollowedUnlessHttpOnlyIsOn) {
  currentUrl = "https://127.0.0.1:8443/d1/p.htm";
  const std::string page = "<a href=https://127.0.0.2/x><a href=rel.htm><a href=/root.htm><a href=//127.0.0.3/y>";
  EXPECT_EQ(Links(page), (Lines{"https://127.0.0.2/x", "https://127.0.0.1:8443/d1/rel.htm",
                                "https://127.0.0.1:8443/root.htm", "https://127.0.0.3/y"}));
  links.clear();
  settings.httponly = true;  // the 2005 rule: relative links of an https page are dropped too
  EXPECT_EQ(Links("<a href=https://127.0.0.5/x><a href=other.htm><a href=http://127.0.0.4/z>"),
            Lines{"http://127.0.0.4/z"});
}

TEST_F(ScannerTest, UrlFilterFollowsContactAboutAndLxLinksOnly) {
  settings.filterurl = true;
  EXPECT_EQ(Links("<a href=index.htm><a href=aboutus.asp><a href=Contact.php><a href=http://lxcorp.cn/>"),
            (Lines{"http://127.0.0.1/d1/aboutus.asp", "http://127.0.0.1/d1/Contact.php", "http://lxcorp.cn/"}));
}

// A link passes by a word of linkterms in its percent-decoded URL (UTF-8 or GBK) or in its
// anchor text, letter case ignored in every script.
TEST_F(ScannerTest, LinkWordsOfEveryLanguageMatchTheUrlOrTheAnchorText) {
  settings.filterurl = true;
  struct Case {
    std::string anchor;  // href= and the anchor text, in the page's charset
    std::string charset;
    bool followed;
  };
  for (const Case& c : {
           Case{"/de/Kontakt.html>x", "UTF-8", true},
           Case{"/impressum>x", "UTF-8", true},
           Case{"/it/chi-siamo/>x", "UTF-8", true},
           Case{"/%E8%81%94%E7%B3%BB%E6%88%91%E4%BB%AC.html>x", "UTF-8", true},  // 联系我们 in UTF-8
           Case{"/%C1%AA%CF%B5%CE%D2%C3%C7.asp>x", "GB18030", true},             // 联系我们 in GBK
           Case{"/ru/%D0%9A%D0%BE%D0%BD%D1%82%D0%B0%D0%BA%D1%82%D1%8B/>x", "UTF-8", true},  // Контакты
           Case{"/page?id=7>" + Utf8(u8"お問い合わせ") + "</a>", "UTF-8", true},
           Case{"/page?id=8><b>" + Utf8(u8"联系我们") + "</b></a>", "UTF-8", true},
           Case{"/page?id=9>联系我们</a>", "GB18030", true},
           Case{"/page?id=10>\xCA\xEE\xED\xF2\xE0\xEA\xF2\xFB</a>", "CP1251", true},  // Контакты
           Case{"/page?id=11>Products</a>", "UTF-8", false},
           Case{"/page?id=12>" + Utf8(u8"产品") + "</a>", "UTF-8", false},
           Case{"/page?id=13><img src=x.gif></a>", "UTF-8", false},
       }) {
    links.clear();
    const PageScanner scanner = MakeScanner("<a href=" + c.anchor, -1, c.charset);
    scanner.ScanLinks(currentUrl);
    EXPECT_EQ(links.size(), c.followed ? 1u : 0u) << c.anchor;
  }
  settings.linkterms = "products";
  EXPECT_EQ(Links("<a href=/Products.htm>x</a><a href=/contact.htm>x</a>"), Lines{"http://127.0.0.1/Products.htm"});
}

TEST_F(ScannerTest, KnownLinksAndAFullLevel2QueueAreSkipped) {
  EXPECT_EQ(Links("<a href=a.htm><a href=A.HTM><img src=a.htm>"), Lines{"http://127.0.0.1/d1/a.htm"});
  links.clear();
  settings.chache2number = 2;  // read at the moment of use; the queue may hold one more
  EXPECT_EQ(Links("<a href=b.htm><a href=c.htm><a href=d.htm>"),
            (Lines{"http://127.0.0.1/d1/b.htm", "http://127.0.0.1/d1/c.htm"}));
}

TEST_F(ScannerTest, StopRequestEndsTheScans) {
  onResult = [this] { stop = true; };
  ScanEmails("a@b.cn c@d.cn");
  EXPECT_EQ(found.size(), 1u);
  const PageScanner scanner = MakeScanner("<a href=x.htm>");
  scanner.ScanLinks(currentUrl);
  EXPECT_TRUE(links.empty());
  EXPECT_EQ(scanner.FindFrom("href=", 1), 0u);
  EXPECT_EQ(scanner.CleanUrl("x.htm"), "");
}

TEST_F(ScannerTest, AFailedHandOverDoesNotEndTheScan) {
  bool failed = false;
  onResult = [&failed] {
    if (!failed) {
      failed = true;
      throw std::runtime_error("hand-over failed");
    }
  };
  ScanEmails("a@b.cn c@d.cn");
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].email, "c@d.cn");
}

TEST_F(ScannerTest, PrecisionAndRecallOverTheLabelledCorpus) {
  int right = 0, reported = 0, expected = 0;
  for (const sandbox::CorpusPage& page : sandbox::AddressCorpus()) {
    Lines want;
    for (const std::string& a : page.addresses) want.push_back(LowerAscii(a));
    const Lines got = Emails(std::string(page.html));
    for (const std::string& email : got) {
      const bool wanted = std::find(want.begin(), want.end(), LowerAscii(email)) != want.end();
      right += wanted;
      if (!wanted) std::printf("junk    %s: %s\n", std::string(page.name).c_str(), email.c_str());
    }
    for (const std::string& a : page.addresses) {
      const bool seen = std::any_of(got.begin(), got.end(), [&](const std::string& e) { return EqualsNoCase(e, a); });
      if (!seen) std::printf("missed  %s: %s\n", std::string(page.name).c_str(), a.c_str());
    }
    reported += static_cast<int>(got.size());
    expected += static_cast<int>(want.size());
  }
  const double precision = reported ? static_cast<double>(right) / reported : 0;
  const double recall = static_cast<double>(right) / expected;
  std::printf("corpus: %zu pages, %d addresses, %d reported: precision %.3f, recall %.3f\n",
              sandbox::AddressCorpus().size(), expected, reported, precision, recall);
  EXPECT_GE(precision, 0.95);
  EXPECT_GE(recall, 0.95);
}

TEST(ScannerText, FindFromAndCutBetween) {
  EXPECT_EQ(FindFrom("B", "abcb", 3), 4u);
  EXPECT_EQ(FindFrom("b", "abcb", 5), 0u);
  EXPECT_EQ(FindFrom("", "abc", 1), 0u);
  std::string item = "x<A>  Text </a>rest";
  EXPECT_EQ(CutBetween(item, "<a>", "</A>"), "Text");
  EXPECT_EQ(item, "</a>rest");
  std::string unchanged = "<a>no end";
  EXPECT_EQ(CutBetween(unchanged, "<a>", "</a>"), "");
  EXPECT_EQ(unchanged, "<a>no end");
}

TEST(ScannerText, CleanUrlAndStripBetween) {
  EXPECT_EQ(CleanUrl("  \"a'b.htm\" target=_blank"), "ab.htm");
  EXPECT_EQ(CleanUrl("x.htm>link</a>"), "x.htm");
  EXPECT_EQ(CleanUrl("x.htm;jsessionid=1"), "x.htm");
  EXPECT_EQ(CleanUrl(std::string(257, 'u')), "");
  EXPECT_EQ(CleanUrl(std::string(256, 'u')), std::string(256, 'u'));
  EXPECT_EQ(CleanUrl("'" + std::string(256, 'u') + "'"), std::string(256, 'u'));  // quotes do not count
  std::string text = "a<b>c<d";
  StripBetween(text, '<', '>');
  EXPECT_EQ(text, "acd");
  text = "R&amp;D &x";
  StripBetween(text, '&', ';');
  EXPECT_EQ(text, "RD x");
}

}  // namespace
}  // namespace marvessa
