#include <gtest/gtest.h>

#include <atomic>

#include "search/urobots.h"

namespace marvessa {
namespace {

TEST(RobotsRules, GroupsForEveryRobotLongestMatchAllowOnATie) {
  const RobotsRules rules = RobotsRules::Parse(
      "User-agent: OtherBot\nDisallow: /\n\n"
      "User-agent: Foo\nUser-agent: *\nDisallow: /private # comment\nAllow: /private/open\n"
      "Disallow: /*.pdf$\nDisallow: /tmp*/x\nDisallow:\n");
  struct Case {
    const char* path;
    bool allowed;
  };
  for (const Case& c : {Case{"/", true}, Case{"/private", false}, Case{"/privately", false},
                        Case{"/private/open/a", true}, Case{"/doc.pdf", false}, Case{"/doc.pdf?x", true},
                        Case{"/tmp1/x/y", false}, Case{"/tmp/y", true}})
    EXPECT_EQ(rules.Allows(c.path), c.allowed) << c.path;
  EXPECT_TRUE(RobotsRules::Parse("").Allows("/x"));
  EXPECT_TRUE(RobotsRules::Parse("User-agent: OtherBot\nDisallow: /").Allows("/x"));
}

TEST(RobotsCache, FetchesEachSiteOnceAndAfterAClearAgain) {
  RobotsCache cache;
  int fetches = 0;
  const RobotsCache::Fetcher fetch = [&fetches](const std::string& url) {
    ++fetches;
    EXPECT_EQ(url, "https://127.0.0.9:8443/robots.txt");
    return std::string("User-agent: *\nDisallow: /no");
  };
  EXPECT_FALSE(cache.Allows("https://127.0.0.9:8443/no/page", fetch));
  EXPECT_TRUE(cache.Allows("HTTPS://127.0.0.9:8443/yes?no", fetch));
  EXPECT_EQ(fetches, 1);
  cache.Clear();
  EXPECT_FALSE(cache.Allows("https://127.0.0.9:8443/no", fetch));
  EXPECT_EQ(fetches, 2);
}

}  // namespace
}  // namespace marvessa
