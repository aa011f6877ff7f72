#include <gtest/gtest.h>

#include "net/uurl.h"

namespace marvessa {
namespace {

TEST(UrlPieces, SplitSchemeHostPortAndDirectory) {
  const char* url = " HTTP://User:Pw@Site.COM:8080/A/b.htm?x=/y/z ";
  EXPECT_EQ(UrlScheme(url), "http");
  EXPECT_EQ(UrlSiteRoot(url), "http://site.com");
  EXPECT_EQ(UrlDirectory(url), "http://site.com:8080/a/");
  // Without "?", the query starts at the first "=".
  EXPECT_EQ(UrlDirectory("http://h/a/b=c/d"), "http://h/a/");
  EXPECT_EQ(UrlDirectory("http://h/a/b/"), "http://h/a/b/");
  EXPECT_EQ(UrlDirectory("http://h"), "http://h/");
  EXPECT_EQ(UrlSiteRoot("://h/x"), "http://h");
}

TEST(UrlPieces, WithoutSchemeSeparatorThereIsNoHost) {
  EXPECT_EQ(UrlScheme("www.site.com/a"), "");
  EXPECT_EQ(UrlSiteRoot("www.site.com/a"), "");
  EXPECT_EQ(UrlDirectory("mailto:a@b.cn"), "");
}

struct LinkCase {
  const char* link;
  const char* resolved;
};

TEST(ResolveLink, RelativeStepsAgainstADocumentTwoDirectoriesDeep) {
  const std::string base = "http://127.0.0.1/d1/d2/p.htm";
  for (const LinkCase& c : {LinkCase{"x.htm", "http://127.0.0.1/d1/d2/x.htm"},
                            LinkCase{"/x.htm", "http://127.0.0.1/x.htm"},
                            LinkCase{"../x.htm", "http://127.0.0.1/d1/x.htm"},
                            LinkCase{"../../x.htm", "http://127.0.0.1/x.htm"},
                            LinkCase{"../../../x.htm", "http://127.0.0.1/x.htm"},
                            LinkCase{"./x.htm", "http://127.0.0.1/d1/x.htm"},
                            LinkCase{"a/../b.htm", "http://127.0.0.1/d1/a/b.htm"},
                            LinkCase{"./", ""},
                            LinkCase{"  ", ""}})
    EXPECT_EQ(ResolveLink(base, c.link), c.resolved) << c.link;
}

TEST(ResolveLink, ThePortOfTheBaseSurvivesForEveryRelativeLink) {
  const std::string base = "http://127.0.0.1:8080/D1/D2/p.htm";
  EXPECT_EQ(ResolveLink(base, "/X.htm"), "http://127.0.0.1:8080/X.htm");
  EXPECT_EQ(ResolveLink(base, "X.htm"), "http://127.0.0.1:8080/d1/d2/X.htm");
  EXPECT_EQ(ResolveLink(base, "../X.htm"), "http://127.0.0.1:8080/d1/X.htm");
  EXPECT_EQ(ResolveLink(base, "../../X.htm"), "http://127.0.0.1:8080/X.htm");
  EXPECT_EQ(ResolveLink(base, "../../../X.htm"), "http://127.0.0.1:8080/X.htm");
  EXPECT_EQ(ResolveLink("http://user@127.0.0.1:81", "/x"), "http://127.0.0.1:81/x");
}

TEST(ResolveLink, AbsoluteLinksAndBackslashes) {
  EXPECT_EQ(ResolveLink("http://127.0.0.1/a/", " HTTP://127.0.0.2/X.htm "), "HTTP://127.0.0.2/X.htm");
  EXPECT_EQ(ResolveLink("http://127.0.0.1/a/", "b\\c.htm"), "http://127.0.0.1/a/b/c.htm");
  // 0x5C as the second byte of a double-byte character is not a separator.
  EXPECT_EQ(ResolveLink("http://127.0.0.1/a/", "\x81\x5C.htm"), "http://127.0.0.1/a/\x81\x5C.htm");
}

TEST(ResolveLink, ParentStepsAgainstAnHttpsBaseCountItsDirectories) {
  EXPECT_EQ(ResolveLink("https://127.0.0.1/d1/d2/p.htm", "../x.htm"), "https://127.0.0.1/d1/x.htm");
  EXPECT_EQ(ResolveLink("https://127.0.0.1:8443/d1/p.htm", "//127.0.0.2/x.htm"), "https://127.0.0.2/x.htm");
}

}  // namespace
}  // namespace marvessa
