#include <gtest/gtest.h>
#include <httplib.h>

#include <chrono>
#include <set>

#include "search/usrchthd.h"
#include "sandbox/companyweb.h"
#include "tests/support/faultweb.h"
#include "sandbox/testengine.h"

namespace marvessa {
namespace {

using namespace std::chrono_literals;

class WorkerTest : public ::testing::Test {
 protected:
  // Starts a worker in slot 1 and serves the UI thread until it has ended.
  void RunWorker(bool engineMode) {
    auto worker = Start(engineMode);
    WaitForEnd(*worker);
  }
  std::unique_ptr<Tsrchthd> Start(bool engineMode) {
    finished = false;
    return std::make_unique<Tsrchthd>(WorkerContext{settings, run, results, ui}, 1, engineMode,
                                      [this](int slot) { finished = slot == 1; });
  }
  void WaitForEnd(Tsrchthd& worker, std::chrono::milliseconds limit = 20s) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!finished && std::chrono::steady_clock::now() < deadline) ui.WaitForEvents(10);
    ASSERT_TRUE(finished) << "the worker did not end";
    worker.Join();
  }
  std::set<std::string> Emails() const {
    std::set<std::string> emails;
    for (int i = 0; i < results.Count(); ++i) emails.insert(results.ResultAt(i).email);
    return emails;
  }
  const ResultRecord* Row(const std::string& email) const {
    for (int i = 0; i < results.Count(); ++i)
      if (results.ResultAt(i).email == email) return &results.ResultAt(i);
    return nullptr;
  }

  Settings settings;
  RunState run{settings};
  ResultList results;
  TaskQueueUiThread ui;
  bool finished = false;
};

TEST_F(WorkerTest, EnginePhaseQueuesEveryResultPageByPage) {
  sandbox::TestEngine engine({.pages = 3, .resultsPerPage = 4, .firstPage = 1, .pageStep = 30});
  run.runKeywords = {"  服装 +出口 "};
  run.SetRunEngines(sandbox::TestRunEngineList({engine.EngineBlock()}));
  settings.chache2number = 0;
  RunWorker(true);
  const auto requests = engine.Requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[0].keyword, "服装%20+出口");
  EXPECT_EQ(requests[0].number, 1);
  EXPECT_EQ(requests[1].number, 31);
  EXPECT_EQ(requests[2].number, 61);
  ASSERT_EQ(run.Level1().Count(), 12);
  EXPECT_EQ(run.Level1().AtAge(0), engine.ResultUrl(0));
  EXPECT_EQ(run.Level1().AtDisplay(0), engine.ResultUrl(11));
  EXPECT_EQ(run.Level1Titles()[5], engine.ResultTitle(5, "服装%20+出口"));
  EXPECT_EQ(run.PagesFetched(), 12);  // the result URLs were crawled afterwards
}

TEST_F(WorkerTest, NextModeOneFollowsTheNextLinkAndTitleFirstItemsWork) {
  sandbox::TestEngine engine({.pages = 2, .resultsPerPage = 3, .itemOrder = 1, .nextMode = "1", .bareUrls = true});
  run.runKeywords = {"k"};
  run.SetRunEngines(sandbox::TestRunEngineList({engine.EngineBlock()}));
  settings.chache2number = 0;
  RunWorker(true);
  const auto requests = engine.Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_FALSE(requests[0].viaNextLink);
  EXPECT_TRUE(requests[1].viaNextLink);
  ASSERT_EQ(run.Level1().Count(), 6);
  EXPECT_EQ(run.Level1().AtAge(0), engine.ResultUrl(0));  // "http://" added, "#top" cut
  EXPECT_EQ(run.Level1Titles()[0], engine.ResultTitle(0, "k"));
}

TEST_F(WorkerTest, EnginePhaseStopsAtTheLevel1Capacity) {
  sandbox::TestEngine engine({.pages = 5, .resultsPerPage = 10});
  run.runKeywords = {"a", "b"};
  run.SetRunEngines(sandbox::TestRunEngineList({engine.EngineBlock()}));
  settings.chache1number = 15;
  settings.chache2number = 0;
  RunWorker(true);
  EXPECT_EQ(engine.Requests().size(), 2u);
  EXPECT_EQ(run.Level1().Count(), 15);
  EXPECT_EQ(run.PagesFetched(), 15);  // the crawl phase still ran
}

TEST_F(WorkerTest, CrawlReportsAddressesWithTitlesAndFollowsContactLinks) {
  sandbox::CompanyWeb web({.sites = 2});
  settings.filtertitle = false;
  run.AddLevel1(web.SiteUrl(0), "");
  run.AddLevel1(web.SiteUrl(1), "引擎标题");
  RunWorker(false);
  const std::set<std::string> expected = {"info@c0-trade.cn",    "sales@c0-trade.cn", "Zhang.Wei@C0-Trade.cn",
                                          "hr@c0-trade.cn",      "service@c0-trade.cn", "info@c1-trade.cn",
                                          "sales@c1-trade.cn",   "Zhang.Wei@C1-Trade.cn", "hr@c1-trade.cn",
                                          "service@c1-trade.cn"};
  EXPECT_EQ(Emails(), expected);  // products.htm is no contact page
  ASSERT_NE(Row("info@c0-trade.cn"), nullptr);
  EXPECT_EQ(Row("info@c0-trade.cn")->title, sandbox::CompanyWeb::Title(0, ""));
  EXPECT_EQ(Row("info@c0-trade.cn")->url, web.SiteUrl(0));
  EXPECT_EQ(Row("info@c1-trade.cn")->title, "引擎标题");
  EXPECT_EQ(Row("sales@c0-trade.cn")->title, sandbox::CompanyWeb::Title(0, "contact.htm"));
  EXPECT_TRUE(run.Level2().Holds(web.PageUrl(0, "about.htm")));
  EXPECT_FALSE(run.Level2().Holds(web.PageUrl(0, "products.htm")));
  EXPECT_EQ(run.PagesFetched(), 2 + run.Level2().Count());
}

TEST_F(WorkerTest, RedirectedPagesReportTheRequestedUrlAndResolveAgainstTheTarget) {
  sandbox::CompanyWeb web({.sites = 1});
  sandbox::LoopbackHttpServer redirector(sandbox::LoopbackHost(40), [&](httplib::Server& s) {
    s.Get("/old", [&](const httplib::Request&, httplib::Response& res) { res.set_redirect(web.SiteUrl(0)); });
  });
  settings.filtertitle = false;
  run.AddLevel1(redirector.Origin() + "/old", "");
  RunWorker(false);
  ASSERT_NE(Row("info@c0-trade.cn"), nullptr);
  EXPECT_EQ(Row("info@c0-trade.cn")->url, redirector.Origin() + "/old");
  EXPECT_TRUE(run.Level2().Holds(web.PageUrl(0, "contact.htm")));
}

TEST_F(WorkerTest, StartOfBodyCheckKeepsOutLargeAndNonTextResponses) {
  test::FaultWeb faults;
  settings.size = 1;  // 1,024 bytes
  sandbox::LoopbackHttpServer pages(sandbox::LoopbackHost(41), [](httplib::Server& s) {
    s.Get("/mail.bin", [](const httplib::Request&, httplib::Response& res) {
      res.set_content("binary@example.cn and more text here", "application/octet-stream");
    });
    s.Get("/mail.js", [](const httplib::Request&, httplib::Response& res) {
      res.set_content("var m = 'script@example.cn';", "application/x-javascript");
    });
    s.Get("/tiny", [](const httplib::Request&, httplib::Response& res) { res.set_content("t@ab.cn", "text/html"); });
    s.Get("/big", [](const httplib::Request&, httplib::Response& res) {
      res.set_content("big@example.cn " + std::string(2000, 'x'), "text/html");
    });
    s.Get("/exact", [](const httplib::Request&, httplib::Response& res) {
      res.set_content("exact@example.cn" + std::string(1024 - 16, ' '), "text/html");
    });
  });
  for (const char* path : {"/mail.bin", "/mail.js", "/tiny", "/big", "/exact"}) run.AddLevel1(pages.Origin() + path, "");
  run.AddLevel1(faults.Url("/endless"), "");
  run.AddLevel1(faults.Url("/no-type"), "");
  RunWorker(false);
  EXPECT_EQ(Emails(), (std::set<std::string>{"script@example.cn", "exact@example.cn"}));
  EXPECT_EQ(run.PagesFetched(), 7);
}

TEST_F(WorkerTest, StopWorkerCutsABlockedFetchAtOnce) {
  test::FaultWeb faults;
  run.AddLevel1(faults.Url("/silent"), "");
  run.AddLevel1(faults.Url("/sized/100"), "");
  auto worker = Start(false);
  while (faults.Connections() == 0) std::this_thread::sleep_for(1ms);
  const auto start = std::chrono::steady_clock::now();
  worker->StopWorker();
  WaitForEnd(*worker, 3s);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 1500ms);
  EXPECT_EQ(run.Level1Cursor(), 1);  // the second URL was never taken
}

TEST_F(WorkerTest, WatchdogCutsAHangingFetchAndTheWorkerMovesOn) {
  test::FaultWeb faults;
  sandbox::LoopbackHttpServer page(sandbox::LoopbackHost(42), [](httplib::Server& s) {
    s.Get("/after", [](const httplib::Request&, httplib::Response& res) {
      res.set_content("<p>after@example.cn after the hang</p>", "text/html");
    });
  });
  run.AddLevel1(faults.Url("/silent"), "");
  run.AddLevel1(page.Origin() + "/after", "");
  auto worker = Start(false);
  while (faults.Connections() == 0) std::this_thread::sleep_for(1ms);
  for (int tick = 0; tick < 3; ++tick) worker->CheckWorkerTimeout(3);
  std::this_thread::sleep_for(200ms);
  EXPECT_EQ(run.Level1Cursor(), 1);  // still hanging after three ticks
  worker->CheckWorkerTimeout(3);
  WaitForEnd(*worker, 5s);
  EXPECT_EQ(Emails(), (std::set<std::string>{"after@example.cn"}));
}

TEST_F(WorkerTest, Utf8TitlesAreConvertedBeforeTheTitleFilter) {
  sandbox::LoopbackHttpServer page(sandbox::LoopbackHost(43), [](httplib::Server& s) {
    s.Get("/utf8", [](const httplib::Request&, httplib::Response& res) {
      res.set_content(reinterpret_cast<const char*>(u8"<title>服装出口公司</title><p>a@utf8.cn</p>"),
                      "text/html; charset=UTF-8");
    });
  });
  run.SetKeywordTerms({"服装"});
  run.AddLevel1(page.Origin() + "/utf8", "");
  RunWorker(false);
  ASSERT_EQ(results.Count(), 1);
  EXPECT_EQ(results.ResultAt(0).title, "服装出口公司");
}

TEST_F(WorkerTest, NothingToDoEndsAtOnce) {
  RunWorker(false);
  EXPECT_EQ(run.PagesFetched(), 0);
  run.runKeywords = {"k"};
  run.SetRunEngines(sandbox::TestRunEngineList({}));
  RunWorker(true);
  EXPECT_EQ(run.PagesFetched(), 0);
}

}  // namespace
}  // namespace marvessa
