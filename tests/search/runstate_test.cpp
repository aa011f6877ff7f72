#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <thread>

#include "search/urunstate.h"
#include "search/ustatusline.h"

namespace marvessa {
namespace {

Lines RunEngines(int count) {
  Lines lines{"[body]"};
  for (int e = 0; e < count; ++e) {
    lines.push_back("engine" + std::to_string(e));
    for (int i = 2; i <= kEngineBlockLines; ++i) lines.push_back(i == 18 ? "10" : "");
  }
  lines.push_back("[/body]");
  return lines;
}

class RunStateTest : public ::testing::Test {
 protected:
  Settings settings;
  RunState state{settings};
};

TEST_F(RunStateTest, JobsGoKeywordMajorOverEveryEngine) {
  state.runKeywords = {" a ", "b"};
  state.SetRunEngines(RunEngines(2));
  EngineDef e;
  std::vector<std::pair<std::string, std::string>> jobs;
  for (std::string k = state.TakeNextJob(e); !k.empty(); k = state.TakeNextJob(e)) jobs.emplace_back(k, e.engineKey);
  EXPECT_EQ(jobs, (std::vector<std::pair<std::string, std::string>>{
                      {" a ", "engine0"}, {" a ", "engine1"}, {"b", "engine0"}, {"b", "engine1"}}));
  EXPECT_EQ(state.KeywordIndex(), 2);
  EXPECT_TRUE(state.TakeNextJob(e).empty());
}

TEST_F(RunStateTest, NoEnginesMeansNoJobs) {
  state.runKeywords = {"a"};
  state.SetRunEngines(RunEngines(0));
  EngineDef e;
  EXPECT_TRUE(state.TakeNextJob(e).empty());
}

TEST_F(RunStateTest, FullLevel1QueueSkipsToTheNextKeyword) {
  settings.chache1number = 1;
  state.runKeywords = {"a", "b", "c"};
  state.SetRunEngines(RunEngines(3));
  EngineDef e;
  EXPECT_EQ(state.TakeNextJob(e), "a");
  state.AddLevel1("http://x/", "t");
  EXPECT_EQ(state.TakeNextJob(e), "b");
  EXPECT_EQ(e.engineKey, "engine0");
}

TEST_F(RunStateTest, KeywordTermsSurviveTheEndOfTheJobs) {
  state.runKeywords = {"服装 +出口", "-论坛"};
  state.SetRunEngines(RunEngines(1));
  EngineDef e;
  state.TakeNextJob(e);
  EXPECT_EQ(*state.KeywordTerms(), (Lines{"服装", "出口"}));
  state.TakeNextJob(e);  // a line of excluded words only empties the terms
  EXPECT_TRUE(state.KeywordTerms()->empty());
  state.SetKeywordTerms({"x"});
  EXPECT_TRUE(state.TakeNextJob(e).empty());
  EXPECT_EQ(*state.KeywordTerms(), (Lines{"x"}));
}

TEST_F(RunStateTest, UrlsGoOldestFirstLevel1BeforeLevel2) {
  state.AddLevel1("http://a/", "A");
  state.AddLevel1("http://b/", "B");
  state.AddLevel2("http://c/");
  EXPECT_EQ(state.Level1().AtDisplay(0), "http://b/");
  int title = 0;
  EXPECT_EQ(state.TakeNextUrl(title, false), "http://a/");
  EXPECT_EQ(state.Level1Title(title), "A");
  EXPECT_EQ(state.TakeNextUrl(title, false), "http://b/");
  EXPECT_EQ(title, 1);
  EXPECT_EQ(state.TakeNextUrl(title, true), "");
  EXPECT_EQ(state.TakeNextUrl(title, false), "http://c/");
  EXPECT_EQ(title, -1);
  EXPECT_EQ(state.TakeNextUrl(title, false), "");
  EXPECT_EQ(state.Level1Cursor(), 2);
  EXPECT_EQ(state.Level2Cursor(), 1);
}

TEST_F(RunStateTest, DuplicateTestsIgnoreCaseAndCapacity) {
  settings.chache2number = 1;
  EXPECT_TRUE(state.AddLevel1("http://Site/A", "t"));
  EXPECT_FALSE(state.AddLevel1("HTTP://site/a", "t2"));
  EXPECT_EQ(state.Level1Titles().size(), 1u);
  EXPECT_TRUE(state.IsKnownLevel1Url(" http://SITE/a "));
  EXPECT_TRUE(state.IsKnownLevel1Url("  "));
  EXPECT_FALSE(state.IsKnownLevel1Url("http://site/b"));
  EXPECT_TRUE(state.AddLevel1("http://Example-Trade.COM/Contact/Index.HTM?Lang=DE", "t3"));
  EXPECT_TRUE(state.IsKnownLevel1Url("HTTP://EXAMPLE-TRADE.com/contact/index.htm?lang=de"));
  state.AddLevel2("http://1/");
  EXPECT_FALSE(state.IsKnownLevel2Url("http://2/"));
  state.AddLevel2("http://2/");
  EXPECT_TRUE(state.IsKnownLevel2Url("http://3/"));  // more than the capacity
  EXPECT_TRUE(state.RememberEmail(" A@B.com "));
  EXPECT_FALSE(state.RememberEmail("a@b.COM"));
  EXPECT_FALSE(state.RememberEmail(" "));
  EXPECT_EQ(state.Seen().At(0), "a@b.com");
}

// Entries around the lengths at which their stored form grows, one longer than a storage block,
// and enough short ones for the index to grow many times.
TEST(UrlQueue, EntriesOfAnyLengthReadBackAndAreFound) {
  std::vector<std::string> texts;
  for (std::size_t length : {0u, 1u, 127u, 128u, 16383u, 16384u, 3u << 20}) texts.emplace_back(length, 'U');
  for (int i = 0; i < 3000; ++i) texts.push_back("http://H/" + std::to_string(i));
  UrlQueue queue;
  for (const std::string& text : texts) queue.AddNewest(text);
  ASSERT_EQ(queue.Count(), static_cast<int>(texts.size()));
  for (int k = 0; k < queue.Count(); ++k) EXPECT_EQ(queue.AtAge(k), texts[k]) << k;
  for (const std::string& text : texts) EXPECT_TRUE(queue.Holds(LowerAscii(text))) << text.size();
  EXPECT_FALSE(queue.Holds("http://h/3000"));
  queue.Clear();
  EXPECT_FALSE(queue.Holds(""));
}

TEST_F(RunStateTest, ConcurrentTakesNeverHandOutAnEntryTwice) {
  for (int i = 0; i < 2000; ++i) state.AddLevel1("http://h/" + std::to_string(i), "");
  for (int i = 0; i < 2000; ++i) state.AddLevel2("http://l2/" + std::to_string(i));
  std::vector<std::string> taken[4];
  std::vector<std::thread> threads;
  for (auto& mine : taken)
    threads.emplace_back([&] {
      int title;
      for (std::string u = state.TakeNextUrl(title, false); !u.empty(); u = state.TakeNextUrl(title, false)) {
        mine.push_back(u);
        state.CountFetch();
      }
    });
  for (auto& t : threads) t.join();
  std::set<std::string> all;
  std::size_t total = 0;
  for (auto& mine : taken) {
    total += mine.size();
    all.insert(mine.begin(), mine.end());
  }
  EXPECT_EQ(total, 4000u);
  EXPECT_EQ(all.size(), 4000u);
  EXPECT_EQ(state.PagesFetched(), 4000);
}

TEST_F(RunStateTest, ConcurrentRememberReportsAnAddressOnce) {
  std::atomic<int> reported{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&] {
      for (int i = 0; i < 500; ++i) reported += state.RememberEmail("user" + std::to_string(i) + "@x.com");
    });
  for (auto& t : threads) t.join();
  EXPECT_EQ(reported, 500);
}

struct RecordedPanels : StatusPanels {
  void SetPanelText(int panel, const std::string& text) override {
    texts[panel] = text;
    order.push_back(panel);
  }
  std::string texts[5];
  std::vector<int> order;
};

TEST_F(RunStateTest, TotalsNeverShowANegativePendingCount) {
  for (int i = 0; i < 5; ++i) state.AddLevel1("http://a/" + std::to_string(i), "");
  for (int i = 0; i < 3; ++i) state.AddLevel2("http://b/" + std::to_string(i));
  state.SetProgress(4, 0, 10);
  RecordedPanels panels;
  ShowTotals(panels, state, 2);
  EXPECT_EQ(panels.order, (std::vector<int>{4, 3, 2}));
  EXPECT_EQ(panels.texts[2], "未搜索:0");
  EXPECT_EQ(panels.texts[3], "已搜索:10");
  EXPECT_EQ(panels.texts[4], "邮址:2");
  state.SetProgress(4, 0, 7);
  ShowTotals(panels, state, 0);
  EXPECT_EQ(panels.texts[2], "未搜索:1");
  ShowElapsed(panels, 0);
  EXPECT_EQ(panels.texts[1], "");
  ShowElapsed(panels, 61);
  EXPECT_EQ(panels.texts[1], "时间: 61");
}

struct FakeScope : ScopeButtons {
  bool IsChecked(int b) const override { return checked[b]; }
  void Check(int b) override {
    std::fill(std::begin(checked), std::end(checked), false);
    checked[b] = true;
  }
  bool checked[8] = {};
};

TEST(Scope, SelectedScopeTestsFromTheTopAndDefaultsToChinese) {
  FakeScope scope;
  EXPECT_EQ(SelectedScope(scope), 0);
  scope.checked[3] = scope.checked[5] = true;
  EXPECT_EQ(SelectedScope(scope), 5);
  SelectScope(scope, 9);
  EXPECT_TRUE(scope.checked[0]);
  SelectScope(scope, 7);
  EXPECT_EQ(SelectedScope(scope), 7);
}

}  // namespace
}  // namespace marvessa
