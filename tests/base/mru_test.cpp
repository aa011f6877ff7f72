#include <gtest/gtest.h>

#include "base/uMru.h"
#include "base/utext.h"
#include "tests/support/fake_window.h"

namespace marvessa {
namespace {

class MruTest : public ::testing::Test {
 protected:
  // The start-up sequence: menu bound, display off, stored entries added oldest first.
  void Start(const std::string& f0, const std::string& f1, const std::string& f2 = "", const std::string& f3 = "") {
    mru.SetMenu(&menu);
    mru.ShowInMenu(false);
    for (const auto& f : {f3, f2, f1, f0}) mru.AddFile(f);
  }
  std::vector<std::string> Entries() const {
    return {mru.GetFile(0), mru.GetFile(1), mru.GetFile(2), mru.GetFile(3)};
  }
  TMru mru;
  test::FakeWindow menu;
};

TEST_F(MruTest, StartUpReproducesTheStoredOrderAndShowsOnlyUsedItems) {
  Start("/docs/A.mvx", "/docs/B.mvx");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"/docs/A.mvx", "/docs/B.mvx", "", ""}));
  EXPECT_EQ(menu.mruCaptions[0], "&1 A.mvx");
  EXPECT_EQ(menu.mruCaptions[1], "&2 B.mvx");
  EXPECT_TRUE(menu.mruVisible[0] && menu.mruVisible[1]);
  EXPECT_FALSE(menu.mruVisible[2] || menu.mruVisible[3]);
  EXPECT_TRUE(menu.mruSeparator);
}

TEST_F(MruTest, NoStoredPathsHideItemsAndSeparator) {
  Start("", "");
  for (bool v : menu.mruVisible) EXPECT_FALSE(v);
  EXPECT_FALSE(menu.mruSeparator);
}

TEST_F(MruTest, AGapInTheStoredListReproducesItself) {
  Start("", "B");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"", "B", "", ""}));
  EXPECT_FALSE(menu.mruVisible[0]);
  EXPECT_EQ(menu.mruCaptions[1], "&2 B");
  EXPECT_TRUE(menu.mruVisible[1]);
}

TEST_F(MruTest, UsesMoveEntriesToTheFrontAndPushOutTheOldest) {
  Start("", "");
  for (const char* f : {"A", "B", "C", "D", "E"}) mru.AddFile(f);
  EXPECT_EQ(Entries(), (std::vector<std::string>{"E", "D", "C", "B"}));
  mru.AddFile("C");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"C", "E", "D", "B"}));
  menu.mruCaptions[0] = "untouched";
  mru.AddFile("C");
  EXPECT_EQ(menu.mruCaptions[0], "untouched");
  mru.AddFile("c");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"c", "C", "E", "D"}));
}

TEST_F(MruTest, CaptionsShowTheNativeFileNameAfterTheLastSlashAsText) {
  const std::pair<std::string, std::string> cases[] = {
      {"/home/u/报价/客户.mvx", "&1 客户.mvx"},
      {"/home/u/会议:纪要.mvx", "&1 会议:纪要.mvx"},
      {"/home/u/a\\b.mvx", "&1 a\\b.mvx"},
      {"/home/u/R&D.mvx", "&1 R&&D.mvx"},
      {"x.mvx", "&1 x.mvx"},
  };
  // The paths are native (UTF-8), the captions GBK like every text of the core.
  for (const auto& [path, caption] : cases) EXPECT_EQ(TMru::Caption(0, GbkToUtf8(path)), caption) << caption;
}

}  // namespace
}  // namespace marvessa
