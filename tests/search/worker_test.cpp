#include <gtest/gtest.h>
#include <httplib.h>

#include <atomic>
#include <chrono>
#include <set>

#include "results/uresults.h"
#include "search/usrchthd.h"
#include "sandbox/companyweb.h"
#include "tests/support/faultweb.h"
#include "sandbox/testca.h"
#include "sandbox/testengine.h"
#include "sandbox/todaysweb.h"

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
    if (!finished) worker.StopWorker();  // so that a failing test does not hang on the join
    ASSERT_TRUE(finished) << "the worker did not end";
    worker.Join();
  }
  static bool HasRequestFor(const test::FaultWeb& web, const std::string& target) {
    for (const std::string& request : web.Requests())
      if (test::RequestTarget(request) == target) return true;
    return false;
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
  EXPECT_EQ(requests[0].keyword, "%B7%FE%D7%B0%20%2B%B3%F6%BF%DA");
  EXPECT_EQ(requests[0].number, 1);
  EXPECT_EQ(requests[1].number, 31);
  EXPECT_EQ(requests[2].number, 61);
  ASSERT_EQ(run.Level1().Count(), 12);
  EXPECT_EQ(run.Level1().AtAge(0), engine.ResultUrl(0));
  EXPECT_EQ(run.Level1().AtDisplay(0), engine.ResultUrl(11));
  EXPECT_EQ(run.Level1Titles()[5], engine.ResultTitle(5, "%B7%FE%D7%B0%20%2B%B3%F6%BF%DA"));
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

TEST_F(WorkerTest, PagingEndsOnAPageWithoutNewUrlsAndAfterAHundredPages) {
  sandbox::TestEngine repeating({.pages = 1000, .resultsPerPage = 2, .resultUrls = {"http://127.0.0.1:9/a", "http://127.0.0.1:9/b"}});
  sandbox::TestEngine endless({.pages = 1000, .resultsPerPage = 1});
  run.runKeywords = {"k"};
  run.SetRunEngines(sandbox::TestRunEngineList({repeating.EngineBlock(), endless.EngineBlock()}));
  settings.chache2number = 0;
  RunWorker(true);
  EXPECT_EQ(repeating.Requests().size(), 2u);
  EXPECT_EQ(endless.Requests().size(), static_cast<std::size_t>(kMaxResultPages));
  EXPECT_EQ(run.Level1().Count(), 2 + kMaxResultPages);
}

// Each loopback engine answers every query one way; two keywords are queried. An engine that
// refuses is suspended and its second job skipped; the others are asked for both keywords.
TEST_F(WorkerTest, EveryAnswerHasItsOutcomeAndRefusingEnginesAreSuspended) {
  using Answer = sandbox::TestEngineAnswer;
  struct Case {
    Answer answer;
    int retryAfter;
    const char* extensions;
    EngineState state;
    std::size_t requests;
    int results;
    bool suspended;
  };
  const std::vector<Case> cases = {
      {Answer::kResults, -1, "", EngineState::kOk, 2, 4, false},
      // A next page for ever: two pages for "a"; "b" brings the same results, which ends its paging.
      {Answer::kResults, -1, "maxpages=2", EngineState::kOk, 3, 6, false},
      {Answer::kNoResults, -1, "", EngineState::kNoResults, 2, 0, false},
      {Answer::kRateLimited, -1, "", EngineState::kRateLimited, 1, 0, true},
      {Answer::kRateLimited, 60, "", EngineState::kRateLimited, 1, 0, true},
      {Answer::kForbidden, -1, "", EngineState::kBlocked, 1, 0, true},
      {Answer::kVerificationRedirect, -1, "", EngineState::kBlocked, 1, 0, true},
      {Answer::kCaptchaPage, -1, "", EngineState::kBlocked, 1, 0, true},
      {Answer::kChangedLayout, -1, "", EngineState::kLayoutChanged, 2, 0, false},
  };
  std::vector<std::unique_ptr<sandbox::TestEngine>> engines;
  std::vector<Lines> blocks;
  std::vector<EngineRow> rows;
  for (const Case& c : cases) {
    engines.push_back(std::make_unique<sandbox::TestEngine>(sandbox::TestEngineOptions{
        .pages = c.extensions[0] ? 1000 : 1, .resultsPerPage = 2, .answer = c.answer, .retryAfter = c.retryAfter,
        .extensions = c.extensions}));
    blocks.push_back(engines.back()->EngineBlock());
    rows.push_back({"e" + std::to_string(rows.size()), 1, true, ""});
  }
  std::string closedPort;
  {
    const sandbox::TestEngine closed;
    blocks.push_back(closed.EngineBlock());
    closedPort = closed.QueryUrl("a", 0);
  }
  rows.push_back({"closed", 1, true, ""});
  run.runKeywords = {"a", "b"};
  run.SetRunEngines(sandbox::TestRunEngineList(blocks));
  run.engines.Begin(rows);
  settings.chache2number = 0;
  RunWorker(true);
  const std::vector<EngineRunRow> status = run.engines.Rows();
  ASSERT_EQ(status.size(), cases.size() + 1);
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(engines[i]->Requests().size(), cases[i].requests);
    EXPECT_EQ(status[i].requests, static_cast<int>(cases[i].requests));
    EXPECT_EQ(status[i].State(), cases[i].state);
    EXPECT_EQ(status[i].results, cases[i].results);
    EXPECT_EQ(status[i].suspended, cases[i].suspended);
    EXPECT_EQ(status[i].firstBlocked.has_value(), cases[i].suspended);
    EXPECT_TRUE(StartsWith(status[i].lastUrl, engines[i]->Origin() + "/search?q=")) << status[i].lastUrl;
  }
  EXPECT_EQ(status[0].lastStatus, 200);
  EXPECT_EQ(status[3].lastStatus, 429);
  EXPECT_EQ(status[6].lastStatus, 302);
  EXPECT_EQ(status.back().State(), EngineState::kUnreachable);
  EXPECT_EQ(status.back().lastStatus, 0);
  EXPECT_EQ(status.back().requests, 2);
  EXPECT_EQ(status.back().lastUrl.substr(0, closedPort.find('?')), closedPort.substr(0, closedPort.find('?')));
}

// An engine of today: a warm-up page gives a cookie and a token, the query is a POST with the
// record's header and cookie, and its answer redirects to the results with one more cookie. The
// engine gives results only when every part of that arrived.
TEST_F(WorkerTest, WarmUpTokenPostHeadersAndCookiesReachTheEngine) {
  std::atomic<int> warmups{0};
  const sandbox::LoopbackHttpServer engine("127.0.0.1", [&warmups](httplib::Server& server) {
    server.Get("/home", [&warmups](const httplib::Request&, httplib::Response& r) {
      ++warmups;
      r.set_header("Set-Cookie", "sid=abc; Path=/; HttpOnly");
      r.set_content("<form><input type=hidden name=\"sc\" value=\"T0K+1\"></form>", "text/html");
    });
    server.Post("/find", [](const httplib::Request& q, httplib::Response& r) {
      const std::string cookies = q.get_header_value("Cookie");
      const bool right = q.body == "sc=T0K%2B1&q=k+w&p=1" && q.get_header_value("X-Engine") == "yes" &&
                         Contains(cookies, "lb=en") && Contains(cookies, "sid=abc");
      r.set_header("Set-Cookie", "hop=2");
      r.set_redirect(right ? "/results" : "/wrong", 302);
    });
    server.Get("/results", [](const httplib::Request& q, httplib::Response& r) {
      const std::string cookies = q.get_header_value("Cookie");
      const bool jar = Contains(cookies, "lb=en") && Contains(cookies, "sid=abc") && Contains(cookies, "hop=2");
      r.set_content(jar ? "<ol><li><a href=\"http://127.0.0.1:9/a\">A</a></li><li><a href=\"http://127.0.0.1:9/b\">B</a></li></ol>"
                        : "<p>no</p>",
                    "text/html");
    });
  });
  Lines block(kEngineBlockLines);
  block[0] = "find";
  block[1] = "<ol>";
  block[2] = "</ol>";
  block[3] = "<li>";
  block[4] = "</li>";
  block[5] = "href=\"";
  block[6] = "\"";
  block[7] = ">";
  block[8] = "</a>";
  block[11] = engine.Origin() + "/";
  block[12] = "?sc={token}&q=";
  block[13] = "&p=";
  block[17] = "1";
  block[19] = "1";
  block[22] = "interval=0&charset=utf-8&space=+&method=post&redirects=follow&maxpages=1&warmup=" + engine.Origin() +
              "/home&tokenstart=name%3D%22sc%22 value%3D%22&tokenend=%22&header.X-Engine=yes&cookie.lb=en";
  run.runKeywords = {"k w", "k w"};
  run.SetRunEngines(sandbox::TestRunEngineList({block}));
  run.engines.Begin({{"today", 1, true, ""}});
  settings.chache2number = 0;
  RunWorker(true);
  EXPECT_EQ(warmups, 1);
  const EngineRunRow row = run.engines.Rows().at(0);
  EXPECT_EQ(row.requests, 3);  // one warm-up for the run, then a query per keyword
  EXPECT_EQ(row.results, 4);
  EXPECT_EQ(row.State(), EngineState::kOk);
  EXPECT_EQ(run.Level1().Count(), 2);
}

// A run whose engines all refuse it ends at once, however many keywords are left.
TEST_F(WorkerTest, ARunWhoseEnginesAllRefuseEndsWithoutWaiting) {
  sandbox::TestEngine limited({.answer = sandbox::TestEngineAnswer::kRateLimited});
  sandbox::TestEngine captcha({.answer = sandbox::TestEngineAnswer::kCaptchaPage});
  run.runKeywords = Lines(50, "k");
  run.SetRunEngines(sandbox::TestRunEngineList({limited.EngineBlock(), captcha.EngineBlock()}));
  run.engines.Begin({{"limited", 0, true, ""}, {"captcha", 0, true, ""}});
  RunWorker(true);
  EXPECT_EQ(limited.Requests().size(), 1u);
  EXPECT_EQ(captcha.Requests().size(), 1u);
  EXPECT_EQ(BlockedEngineNames(run.engines.Rows()), "limited (被限速), captcha (需要验证)");
}

TEST_F(WorkerTest, CertificateErrorsAreToleratedOnCrawledPagesOnly) {
  const sandbox::TestCa stranger;  // trusted by nobody
  sandbox::TestEngine engine({.pages = 1, .resultsPerPage = 2, .tls = &stranger});
  const sandbox::LoopbackHttpServer site("127.0.0.1", [](httplib::Server& server) {
    server.Get("/", [](const httplib::Request&, httplib::Response& r) {
      r.set_content("<title>Home</title>info@tls-site.cn <a href=\"contact.htm\">Contact</a>", "text/html");
    });
    server.Get("/contact.htm", [](const httplib::Request&, httplib::Response& r) {
      r.set_content("<title>Contact</title>sales@tls-site.cn", "text/html");
    });
  }, 4, &stranger);
  run.runKeywords = {"k"};
  run.SetRunEngines(sandbox::TestRunEngineList({engine.EngineBlock()}));
  run.AddLevel1(site.Origin() + "/", "");
  RunWorker(true);
  EXPECT_TRUE(engine.Requests().empty()) << "the engine's certificate was refused";
  EXPECT_EQ(Emails(), (std::set<std::string>{"info@tls-site.cn", "sales@tls-site.cn"}));
  EXPECT_TRUE(run.Level2().Holds(site.Origin() + "/contact.htm"));
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

// The server counts the fetches it serves at once: several workers keep to hostconnections per
// host, and every URL is fetched exactly once.
TEST_F(WorkerTest, ParallelFetchesPerSiteHostKeepToTheLimit) {
  std::atomic<int> now{0}, most{0}, served{0};
  const sandbox::LoopbackHttpServer site(sandbox::LoopbackHost(43), [&](httplib::Server& server) {
    server.Get(R"(/p(\d+))", [&](const httplib::Request& request, httplib::Response& r) {
      most = std::max(most.load(), ++now);
      std::this_thread::sleep_for(30ms);
      --now;
      ++served;
      r.set_content("<p>p" + std::string(request.matches[1]) + "@host-limit.cn</p>", "text/html");
    });
  });
  settings.hostconnections = 2;
  settings.robots = false;
  for (int i = 0; i < 16; ++i) run.AddLevel1(site.Origin() + "/p" + std::to_string(i), "");
  std::vector<std::unique_ptr<Tsrchthd>> workers;
  int ended = 0;
  for (int slot = 1; slot <= 6; ++slot)
    workers.push_back(std::make_unique<Tsrchthd>(WorkerContext{settings, run, results, ui}, slot, false,
                                                 [&ended](int) { ++ended; }));
  const auto deadline = std::chrono::steady_clock::now() + 20s;
  while (ended < 6 && std::chrono::steady_clock::now() < deadline) ui.WaitForEvents(10);
  for (auto& worker : workers) worker->Join();
  EXPECT_EQ(most, 2);
  EXPECT_EQ(served, 16);
  EXPECT_EQ(results.Count(), 16);
  EXPECT_EQ(run.Level1Cursor(), 16);
}

TEST_F(WorkerTest, RetryAfterPausesTheHostThenTriesOnceMoreWithoutItTheUrlIsGivenUp) {
  std::atomic<int> busy{0}, gone{0};
  const sandbox::LoopbackHttpServer site(sandbox::LoopbackHost(44), [&](httplib::Server& server) {
    server.Get("/busy", [&](const httplib::Request&, httplib::Response& r) {
      if (busy++ == 0) {
        r.status = 429;
        r.set_header("Retry-After", "1");
        return;
      }
      r.set_content("<p>late@retry-after.cn</p>", "text/html");
    });
    server.Get("/gone", [&](const httplib::Request&, httplib::Response& r) {
      ++gone;
      r.status = 503;
    });
  });
  settings.robots = false;
  run.AddLevel1(site.Origin() + "/busy", "");
  run.AddLevel1(site.Origin() + "/gone", "");
  RunWorker(false);
  EXPECT_EQ(busy, 2);
  EXPECT_EQ(gone, 1);
  EXPECT_EQ(Emails(), std::set<std::string>{"late@retry-after.cn"});
  EXPECT_EQ(run.PagesFetched(), 2);
}

TEST_F(WorkerTest, RobotsTxtIsReadOncePerHostAndObeyedOnCrawledPagesOnly) {
  std::atomic<int> robotsRequests{0}, forbiddenServed{0};
  const sandbox::LoopbackHttpServer site(sandbox::LoopbackHost(45), [&](httplib::Server& server) {
    server.Get("/robots.txt", [&](const httplib::Request&, httplib::Response& r) {
      ++robotsRequests;
      r.set_content("User-agent: *\nDisallow: /private\nAllow: /private/open\n", "text/plain");
    });
    server.Get(R"(/(.*))", [&](const httplib::Request& request, httplib::Response& r) {
      if (request.path == "/privately") ++forbiddenServed;
      r.set_content("<p>" + std::string(request.matches[1]).substr(0, 4) + "@robots-test.cn</p>", "text/html");
    });
  });
  for (const char* path : {"/public", "/private", "/private/open", "/privately"}) run.AddLevel1(site.Origin() + path, "");
  RunWorker(false);
  EXPECT_EQ(robotsRequests, 1);
  EXPECT_EQ(Emails(), (std::set<std::string>{"publ@robots-test.cn", "priv@robots-test.cn"}));
  EXPECT_EQ(run.PagesFetched(), 4);
  EXPECT_EQ(forbiddenServed, 0);

  settings.robots = false;
  run.Edit([](UrlQueue& level1, PackedLines& titles, UrlQueue&, SeenList& seen) {
    level1.Clear();
    titles.clear();
    seen.Clear();
  });
  run.SetProgress(0, 0, 0);
  run.AddLevel1(site.Origin() + "/privately", "");
  RunWorker(false);
  EXPECT_EQ(forbiddenServed, 1);
}

TEST_F(WorkerTest, OneEngineHostIsAskedAtTheIntervalOfItsRecord) {
  sandbox::TestEngine engine({.pages = 3, .resultsPerPage = 1, .intervalMs = 200});
  run.runKeywords = {"k"};
  run.SetRunEngines(sandbox::TestRunEngineList({engine.EngineBlock()}));
  settings.chache2number = 0;
  std::vector<std::chrono::steady_clock::time_point> times;
  auto worker = Start(true);
  while (!finished) {
    ui.WaitForEvents(1);
    while (times.size() < engine.Requests().size()) times.push_back(std::chrono::steady_clock::now());
  }
  worker->Join();
  ASSERT_EQ(engine.Requests().size(), 3u);
  for (std::size_t i = 1; i < times.size(); ++i) EXPECT_GE(times[i] - times[i - 1], 150ms) << i;
}

// The sandbox's web of today, over https: contact pages of eight languages found by their URL or
// anchor words, titles of eight charsets, robots.txt obeyed, a 429 host waited for.
TEST_F(WorkerTest, CrawlOfTodaysWebFindsTheContactPagesOfEveryLanguage) {
  const sandbox::TestCa ca({sandbox::LoopbackHost(1000), sandbox::LoopbackHost(1007)});
  const sandbox::TodaysWeb web({.sites = 8, .firstHost = 1000, .tls = &ca});
  settings.filtertitle = false;
  for (int site = 0; site < web.Sites(); ++site) run.AddLevel1(web.SiteUrl(site), "");
  RunWorker(false);
  std::set<std::string> expected;
  for (int site = 0; site < web.Sites(); ++site) {
    expected.insert("info@" + sandbox::TodaysWeb::Domain(site));
    expected.insert("sales@" + sandbox::TodaysWeb::Domain(site));
    const ResultRecord* contact = Row("sales@" + sandbox::TodaysWeb::Domain(site));
    ASSERT_NE(contact, nullptr) << site;
    EXPECT_EQ(contact->title, sandbox::TodaysWeb::ContactTitle(site)) << site;
    EXPECT_EQ(contact->url, web.ContactUrl(site));
  }
  EXPECT_EQ(Emails(), expected);
  EXPECT_EQ(web.ForbiddenRequests(), 0);
  EXPECT_EQ(web.RobotsRequests(), 8);
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

// A UI thread that counts the hand-overs workers have asked it for.
class CountingUiThread : public TaskQueueUiThread {
 public:
  void Invoke(const std::function<void()>& task) override {
    ++invokes;
    TaskQueueUiThread::Invoke(task);
  }
  std::atomic<int> invokes{0};
};

TEST_F(WorkerTest, AHandOverStillWaitingWhenTheWorkerIsStoppedAddsNothing) {
  sandbox::CompanyWeb web({.sites = 1});
  settings.filtertitle = false;
  run.AddLevel1(web.SiteUrl(0), "");
  CountingUiThread counting;
  std::atomic<bool> ended{false};
  Tsrchthd worker(WorkerContext{settings, run, results, counting}, 1, false, [&](int) { ended = true; });
  auto deadline = std::chrono::steady_clock::now() + 20s;
  while (counting.invokes == 0 && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(1ms);
  EXPECT_EQ(counting.invokes, 1);  // the findings of the first page wait for the UI thread
  // Stopped and served in any case, so that a failing test does not hang on the join.
  worker.StopWorker();
  deadline = std::chrono::steady_clock::now() + 20s;
  while (!ended && std::chrono::steady_clock::now() < deadline) counting.WaitForEvents(10);
  ASSERT_TRUE(ended) << "the worker did not end";
  worker.Join();
  EXPECT_EQ(results.Count(), 0);
  EXPECT_EQ(run.Level2().Count(), 0);
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
  // The robots.txt fetch before the page restarts the watchdog's count: tick only once the page hangs.
  while (!HasRequestFor(faults, "/silent")) std::this_thread::sleep_for(1ms);
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
