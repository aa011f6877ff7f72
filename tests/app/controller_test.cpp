#include <gtest/gtest.h>

#include <thread>

#include "app/ucontroller.h"
#include "engines/ucatalog.h"
#include "tests/support/fake_messages.h"
#include "tests/support/fake_timers.h"
#include "tests/support/fake_window.h"
#include "tests/support/fake_workers.h"
#include "tests/support/sandbox.h"

namespace marvessa {
namespace {

// An engine file with two loopback engines of scope 0.
std::string LoopbackEngineFile() {
  Lines c{"[qemosearchengine]", "", "", "[head]", "e1", "0", "", "", "", "e2", "0", "", "", "", "[/head]",
                  "[body]"};
  for (int e = 0; e < 2; ++e) {
    c.push_back("k" + std::to_string(e));
    for (int i = 2; i <= kEngineBlockLines; ++i) c.push_back(i == 12 ? "http://127.0.0.1:9/" : "");
  }
  c.push_back("[/body]");
  return EngineFileText(c);
}

class ControllerTest : public test::SandboxTest {
 protected:
  ControllerTest() {
    sandbox.Write(kEngineFileName, LoopbackEngineFile());
    results.SetView(&window);
    FinishRunAtStart();
  }
  void FinishRunAtStart() { controller.FinishRun(); }

  // Finishes every live worker and serves the notifications.
  void FinishAll() {
    for (auto* w : workers.live)
      if (!w->ended) w->Finish();
    workers.live.clear();
    ui.PumpEvents();
  }
  int EngineWorkers() const {
    int n = 0;
    for (auto& m : workers.created) n += m.engineMode;
    return n;
  }
  void AddLevel1(int count) {
    for (int i = 0; i < count; ++i) run.AddLevel1("http://127.0.0.1/" + std::to_string(urls++), "");
  }
  int urls = 0;

  Settings settings;
  RunState run{settings};
  ResultList results;
  DocumentState document;
  test::FakeWindow window;
  test::FakeMessageBoxes messages;
  TaskQueueUiThread ui;
  test::FakeTimerFactory timers;
  test::FakeWorkerFactory workers{ui};
  std::vector<std::string> saves;
  int hangUps = 0;
  RunController controller{Parts(workers)};

  RunControllerParts Parts(SearchWorkerFactory& factory) {
    return {.settings = settings,
            .folders = sandbox.folders(),
            .run = run,
            .results = results,
            .document = document,
            .keywords = window,
            .scope = window,
            .panels = window,
            .commands = window,
            .messages = messages,
            .ui = ui,
            .timers = timers,
            .workers = factory,
            .clearCustomerList =
                [this] {
                  results.ClearResults();
                  run.Edit([](UrlQueue&, PackedLines&, UrlQueue&, SeenList& seen) { seen.Clear(); });
                },
            .saveDocument = [this](const std::string& path) { saves.push_back(path); },
            .confirmSaveIfModified =
                [this] {
                  ++saveQuestions;
                  return saveAnswer;
                }};
  }
  int saveQuestions = 0;
  bool saveAnswer = true;
};

TEST_F(ControllerTest, NothingToSearchAsksForAKeywordAndStartsNothing) {
  controller.StartSearch(false);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, " 请输入关键词后再搜索!  ");
  EXPECT_EQ(messages.shown[0].caption, "提示");
  EXPECT_EQ(window.keywordFocused, 1);
  EXPECT_TRUE(workers.created.empty());
  EXPECT_TRUE(run.runStopped);
  EXPECT_EQ(settings.chache1number, 10000);  // raised before the refusal
}

TEST_F(ControllerTest, BeginStartsEngineWorkersAndTheTimers) {
  window.keyword = "服装";
  settings.chache1number = 50;
  settings.chache2number = 0;
  controller.StartSearch(false);
  EXPECT_EQ(workers.created.size(), 5u);
  EXPECT_EQ(EngineWorkers(), 5);
  EXPECT_FALSE(run.runStopped);
  EXPECT_TRUE(controller.timer1().Enabled());
  EXPECT_TRUE(controller.timer2().Enabled());
  EXPECT_TRUE(window.enabled[Command::ASend]);
  EXPECT_FALSE(window.enabled[Command::ASbegin]);
  EXPECT_FALSE(window.keywordBoxEnabled);
  EXPECT_TRUE(window.animating);
  EXPECT_EQ(window.panels[0], "正在搜索...");
  EXPECT_EQ(settings.chache1number, 100);
  EXPECT_EQ(settings.chache2number, 0);
  EXPECT_EQ(RunEngineCount(run.RunEngines()), 2);
  EXPECT_EQ(run.runKeywords, (Lines{"服装"}));
}

TEST_F(ControllerTest, ThreadCountIsClampedAndEngineWorkersCapped) {
  window.keyword = "a";
  settings.thdnumber = 512;
  controller.StartSearch(false);
  EXPECT_EQ(controller.threadCount(), 48);
  EXPECT_EQ(EngineWorkers(), 6);
  FinishAll();
  workers.created.clear();
  settings.thdnumber = 1;
  controller.StartSearch(false);
  EXPECT_EQ(controller.threadCount(), 2);
  EXPECT_EQ(workers.created.size(), 1u);
  settings.chache1number = 200000;
  FinishAll();
  controller.StartSearch(false);
  EXPECT_EQ(settings.chache1number, 100000);
}

TEST_F(ControllerTest, ContinueWithPendingUrlsMixesEngineAndPageWorkers) {
  window.keyword = "a";
  AddLevel1(3);
  controller.StartSearch(true);
  ASSERT_EQ(workers.created.size(), 12u);
  EXPECT_EQ(EngineWorkers(), 5);
  EXPECT_TRUE(workers.created[4].engineMode);
  EXPECT_FALSE(workers.created[5].engineMode);
  EXPECT_EQ(workers.created[5].slot, 6);
}

TEST_F(ControllerTest, BlankKeywordBoxCrawlsTheLevel1ListWithPageWorkers) {
  window.batch = {"batch line"};
  AddLevel1(3);
  controller.StartSearch(false);
  EXPECT_EQ(workers.created.size(), 12u);
  EXPECT_EQ(EngineWorkers(), 0);
  EXPECT_EQ(run.Level1().Count(), 3);  // kept, since no keyword is typed
}

TEST_F(ControllerTest, BeginClearsTheRunButContinueKeepsIt) {
  results.AddResult("a@b.cn", "", "");
  document.documentNamed = true;
  document.documentPath = "/x.mvx";
  AddLevel1(2);
  run.AddLevel2("http://127.0.0.1/l2");
  run.SetProgress(1, 1, 5);
  window.keyword = "k";
  controller.StartSearch(true);
  EXPECT_EQ(results.Count(), 1);
  EXPECT_EQ(run.PagesFetched(), 5);
  EXPECT_EQ(document.documentPath, "/x.mvx");
  FinishAll();
  controller.StartSearch(false);
  EXPECT_EQ(results.Count(), 0);
  EXPECT_EQ(run.Level1().Count() + static_cast<int>(run.Level1Titles().size()), 0);  // a keyword is typed
  EXPECT_EQ(run.Level2().Count(), 0);
  EXPECT_EQ(run.PagesFetched(), 0);
  EXPECT_FALSE(document.documentNamed);
  EXPECT_EQ(document.documentPath, "");
}

TEST_F(ControllerTest, NaturalEndReturnsToIdleAndRunsTheEndOfRunActionsWithResults) {
  std::vector<std::string> actions;
  controller.endOfRunActions = {[&] { actions.push_back("hang up"); }, [&] { actions.push_back("shut down"); }};
  window.keyword = "k";
  controller.StartSearch(false);
  results.AddResult("a@b.cn", "", "");
  FinishAll();
  EXPECT_EQ(controller.runningCount(), 0);
  EXPECT_TRUE(run.runStopped);
  EXPECT_EQ(window.panels[0], "就绪");
  EXPECT_EQ(window.panels[4], "邮址:1");
  EXPECT_TRUE(window.enabled[Command::ASbegin]);
  EXPECT_FALSE(window.enabled[Command::ASend]);
  EXPECT_FALSE(controller.timer1().Enabled());
  EXPECT_EQ(actions, (std::vector<std::string>{"hang up", "shut down"}));
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ControllerTest, NothingFoundShowsTheMessageAndNoAction) {
  int actions = 0;
  controller.endOfRunActions = {[&] { ++actions; }};
  window.keyword = "k";
  controller.StartSearch(false);
  FinishAll();
  ASSERT_EQ(messages.shown.size(), 1u);
  const std::string nothingFound = messages.shown[0].text;
  EXPECT_EQ(nothingFound.rfind("没有搜索到相关的Email地址:\r\n", 0), 0u);
  EXPECT_EQ(actions, 0);
  // The run's engines start anew, and those that refused it are named.
  controller.StartSearch(false);
  EXPECT_EQ(run.engines.Rows().size(), 2u);
  run.engines.Record(1, FetchOutcome::kRateLimited, 429, "http://127.0.0.1:9/", 0);
  FinishAll();
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[1].text, nothingFound + "\r\n  这些搜索引擎拒绝了查询: e2 (被限速).");
}

TEST_F(ControllerTest, EndingByTheUserShowsNoMessageAndRunsNoAction) {
  int actions = 0;
  controller.endOfRunActions = {[&] { ++actions; }};
  window.keyword = "k";
  controller.StartSearch(false);
  results.AddResult("a@b.cn", "", "");
  auto live = workers.live;
  controller.EndSearch();
  EXPECT_EQ(window.panels[0], "正在结束搜索...");
  for (auto* w : live) EXPECT_EQ(w->stops, 1);
  controller.MTimer1Timer();
  EXPECT_EQ(controller.elapsedSeconds(), 0);  // ticks do nothing while stopping
  FinishAll();
  EXPECT_EQ(actions, 0);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ControllerTest, BeginOverAListOfRowsAsksTheSaveQuestionFirst) {
  window.keyword = "k";
  controller.StartSearch(false);  // an empty list: no question
  FinishAll();
  EXPECT_EQ(saveQuestions, 0);
  results.AddResult("a@b.cn", "", "");
  saveAnswer = false;
  controller.StartSearch(false);
  EXPECT_EQ(saveQuestions, 1);
  EXPECT_TRUE(run.runStopped);
  EXPECT_EQ(results.Count(), 1);
  controller.StartSearch(true);  // a continue keeps the rows: no question
  EXPECT_EQ(saveQuestions, 1);
  FinishAll();
  saveAnswer = true;
  controller.StartSearch(false);
  EXPECT_EQ(saveQuestions, 2);
  EXPECT_FALSE(run.runStopped);
  EXPECT_EQ(results.Count(), 0);
}

TEST_F(ControllerTest, RowsOfARunStopAtTheAddressLimitWhichEndsTheRunNormally) {
  int actions = 0;
  controller.endOfRunActions = {[&] { ++actions; }};
  settings.ctrlemailnumber = 10;
  window.keyword = "k";
  controller.StartSearch(false);
  RunRows rows(settings, results, document);
  for (int i = 0; i < 9; ++i) rows.AddRow("a" + std::to_string(i) + "@b.cn", "", "");
  EXPECT_TRUE(document.documentModified);
  controller.MTimer1Timer();
  EXPECT_FALSE(run.runStopped);
  for (int i = 0; i < 5; ++i) rows.AddRow("late" + std::to_string(i) + "@b.cn", "", "");
  EXPECT_EQ(results.Count(), 10);
  controller.MTimer1Timer();
  EXPECT_TRUE(run.runStopped);
  EXPECT_EQ(window.panels[0], "正在搜索...");
  FinishAll();
  EXPECT_EQ(actions, 1);
  settings.ctrlemail = false;
  rows.AddRow("free@b.cn", "", "");
  EXPECT_EQ(results.Count(), 11);
}

TEST_F(ControllerTest, TimeLimitIsStrict) {
  settings.ctrltimenumber = 1;
  window.keyword = "k";
  controller.StartSearch(false);
  for (int i = 0; i < 60; ++i) controller.MTimer1Timer();
  EXPECT_FALSE(run.runStopped);
  EXPECT_EQ(window.panels[1], "时间: 60");
  controller.MTimer1Timer();
  EXPECT_TRUE(run.runStopped);
}

TEST_F(ControllerTest, EarlyTopUpRunsOneFullMinuteTickOnce) {
  window.keyword = "k";
  controller.StartSearch(false);
  AddLevel1(10);
  controller.MTimer1Timer();
  EXPECT_EQ(controller.minuteTicks(), 0);
  AddLevel1(1);
  controller.MTimer1Timer();
  EXPECT_EQ(controller.minuteTicks(), 1);
  EXPECT_EQ(workers.created.size(), 12u);  // the free slots are filled with page workers
  EXPECT_FALSE(workers.created.back().engineMode);
  controller.MTimer1Timer();
  EXPECT_EQ(controller.minuteTicks(), 1);
}

TEST_F(ControllerTest, MinuteTickFillsSlotsOnlyWhileLevel1UrlsArePending) {
  window.keyword = "k";
  controller.StartSearch(false);
  run.AddLevel2("http://127.0.0.1/only-level-2");
  controller.MTimer2Timer();
  EXPECT_EQ(workers.created.size(), 5u);
  AddLevel1(1);
  controller.MTimer2Timer();
  EXPECT_EQ(workers.created.size(), 12u);
  EXPECT_EQ(controller.runningCount(), 12);
}

TEST_F(ControllerTest, WatchdogChecksEveryBusySlotWhenTheTimeoutIsOn) {
  window.keyword = "k";
  settings.timeoutnumber = 7;
  controller.StartSearch(false);
  controller.MTimer2Timer();
  for (auto* w : workers.live) EXPECT_EQ(w->timeoutChecks, (std::vector<int>{7}));
  settings.timeout = false;
  controller.MTimer2Timer();
  for (auto* w : workers.live) EXPECT_EQ(w->timeoutChecks.size(), 1u);
}

TEST_F(ControllerTest, AutosaveFallsOnTheTicksAfterEachInterval) {
  window.keyword = "k";
  auto ticksSaved = [&](int interval, int ticks) {
    settings.autosavetime = interval;
    saves.clear();
    FinishAll();
    controller.StartSearch(true);
    std::vector<int> at;
    for (int t = 1; t <= ticks; ++t) {
      controller.MTimer2Timer();
      if (!saves.empty()) {
        at.push_back(t);
        saves.clear();
      }
    }
    return at;
  };
  EXPECT_EQ(ticksSaved(2, 8), (std::vector<int>{3, 5, 7}));
  EXPECT_TRUE(ticksSaved(1, 5).empty());
  EXPECT_TRUE(ticksSaved(0, 5).empty());
  EXPECT_TRUE(ticksSaved(-2, 5).empty());
  EXPECT_EQ(ticksSaved(10, 21), (std::vector<int>{11, 21}));
}

TEST_F(ControllerTest, AutosaveGoesToTheDocumentOrToTheAutosaveFile) {
  window.keyword = "k";
  settings.autosavetime = 2;
  controller.StartSearch(true);
  for (int t = 0; t < 3; ++t) controller.MTimer2Timer();
  ASSERT_EQ(saves.size(), 1u);
  EXPECT_EQ(saves[0], sandbox.Path("temp.mvx"));
  document.documentPath = "/docs/a.mvx";
  for (int t = 0; t < 2; ++t) controller.MTimer2Timer();
  EXPECT_EQ(saves.back(), "/docs/a.mvx");
  settings.autosave = false;
  for (int t = 0; t < 2; ++t) controller.MTimer2Timer();
  EXPECT_EQ(saves.size(), 2u);
}

TEST_F(ControllerTest, WhenNoWorkerCanBeCreatedTheRunEndsAtOnce) {
  int actions = 0;
  controller.endOfRunActions = {[&] { ++actions; }};
  results.AddResult("a@b.cn", "", "");
  window.keyword = "k";
  workers.failures = 100;
  controller.StartSearch(true);
  EXPECT_TRUE(run.runStopped);
  EXPECT_TRUE(window.enabled[Command::ASbegin]);
  EXPECT_FALSE(controller.timer1().Enabled());
  EXPECT_EQ(actions, 0);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].caption, "警告");
}

TEST_F(ControllerTest, AFailedWorkerLeavesItsSlotFreeForTheMinuteTick) {
  window.keyword = "k";
  workers.failures = 1;
  controller.StartSearch(false);
  EXPECT_FALSE(controller.slotBusy(1));
  EXPECT_TRUE(controller.slotBusy(2));
  EXPECT_EQ(controller.runningCount(), 4);
  AddLevel1(1);
  controller.MTimer2Timer();
  EXPECT_TRUE(controller.slotBusy(1));
}

// A worker on a real thread that hands something over, as a real one does, when stopped.
class HandingOverWorker : public SearchWorker {
 public:
  HandingOverWorker(int slot, std::function<void(int)> finished, UiThread& ui, std::atomic<int>& handedOver)
      : thread_([=, &ui, &handedOver, this] {
          while (!stop_) std::this_thread::sleep_for(std::chrono::milliseconds(1));
          ui.Invoke([&] { ++handedOver; });
          ui.Post([finished, slot] { finished(slot); });
        }) {}
  ~HandingOverWorker() override {
    if (thread_.joinable()) thread_.join();
  }
  void StopWorker() override { stop_ = true; }
  void CheckWorkerTimeout(int) override {}
  void Join() override { thread_.join(); }

 private:
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

class ThreadedFactory : public SearchWorkerFactory {
 public:
  explicit ThreadedFactory(UiThread& ui) : ui_(ui) {}
  std::unique_ptr<SearchWorker> CreateWorker(int slot, bool, std::function<void(int)> finished) override {
    return std::make_unique<HandingOverWorker>(slot, std::move(finished), ui_, handedOver);
  }
  std::atomic<int> handedOver{0};

 private:
  UiThread& ui_;
};

TEST_F(ControllerTest, WaitingForWorkersKeepsServingTheirHandOvers) {
  ThreadedFactory factory(ui);
  RunController threaded{Parts(factory)};
  window.keyword = "k";
  threaded.StartSearch(false);
  run.userEnded = true;
  threaded.StopWorkers(true);
  EXPECT_EQ(factory.handedOver, 5);
  EXPECT_EQ(threaded.runningCount(), 0);
  EXPECT_TRUE(run.runStopped);
}

}  // namespace
}  // namespace marvessa
