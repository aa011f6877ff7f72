#include "app/ucontroller.h"

#include <algorithm>

#include "engines/ucatalog.h"
#include "results/ufile.h"
#include "search/ukeywords.h"

namespace marvessa {

namespace {

const char* const kNothingFound =
    "没有搜索到相关的Email地址:\r\n"
    "  请检查是否正确接入Internet.\r\n"
    "  或者输入其他搜索关键词.\r\n"
    "  或者选择其他的搜索范围.";

void ShowInfo(MessageBoxes& messages, const std::string& text) {
  messages.ShowMessage({text, "提示", MessageIcon::Information, MessageButtons::Ok, MessageAnswer::Ok});
}

}  // namespace

void RunRows::AddRow(const std::string& email, const std::string& url, const std::string& title) {
  if (settings_.ctrlemail && results_.Count() >= settings_.ctrlemailnumber) return;
  results_.AddResult(email, url, title);
  document_.documentModified = true;
}

RunController::RunController(RunControllerParts parts) : p_(std::move(parts)) {
  timer1_ = p_.timers.CreateTimer([this] { MTimer1Timer(); });
  timer1_->SetInterval(1000);
  timer2_ = p_.timers.CreateTimer([this] { MTimer2Timer(); });
  timer2_->SetInterval(60000);
}

RunController::~RunController() = default;

void RunController::ShowTotals() { marvessa::ShowTotals(p_.panels, p_.run, p_.results.Count()); }

void RunController::StartSearch(bool continueRun) {
  Settings& s = p_.settings;
  RunState& run = p_.run;
  if (!run.runStopped) return;
  if (s.chache1number == 1000) s.chache1number = 10000;
  if (s.chache2number == 1000) s.chache2number = 10000;
  run.runKeywords = BuildRunKeywords(p_.keywords.KeywordText(), p_.keywords.BatchLines());
  if (run.runKeywords.empty() && run.Level1().Count() == 0) {
    ShowInfo(p_.messages, " 请输入关键词后再搜索!  ");
    p_.keywords.FocusKeywordBox();
    return;
  }
  // A begin empties the customer list: its rows are not lost without the question.
  if (!continueRun && p_.results.Count() > 0 && !p_.confirmSaveIfModified()) return;
  s.currentScope = SelectedScope(p_.scope);
  ShowPage(p_.commands, 0);
  ShowStatus(p_.panels, "进行搜索初始化...");
  p_.commands.SetCommandEnabled(Command::ASbegin, false);
  p_.commands.SetCommandEnabled(Command::AScontinue, false);
  s.chache1number = std::clamp(s.chache1number.load(), 100, 100000);
  s.chache2number = std::min(s.chache2number.load(), 100000);
  runningCount_ = 0;
  elapsedSeconds_ = 0;
  run.SetEngineIndex(0);
  run.ResetHosts();
  run.userEnded = false;
  const EngineCatalog catalog = LoadCatalog(p_.folders);
  run.SetRunEngines(BuildRunEngineList(catalog, s.currentScope, s.searchengine));
  run.engines.Begin(ListRunEngines(catalog, s.currentScope, s.searchengine));
  run.SetAddressRules(LoadAddressRules(p_.folders));
  earlyTopUpDone_ = false;
  p_.commands.SetAnimationRunning(true);
  minuteTicks_ = 0;
  threadCount_ = std::clamp(s.thdnumber.load(), 2, kMaxSlots);
  ShowStatus(p_.panels, "正在搜索...");
  run.runStopped = false;
  const bool keywordTyped = !IsBlankText(p_.keywords.KeywordText());
  if (!continueRun) {
    p_.clearCustomerList();
    p_.document.documentNamed = false;
    p_.document.documentPath = std::string();
    run.Edit([keywordTyped](UrlQueue& level1, PackedLines& titles, UrlQueue& level2, SeenList&) {
      if (keywordTyped) {
        level1.Clear();
        titles.clear();
      }
      level2.Clear();
    });
    run.SetProgress(0, 0, 0);
    run.SetKeywordIndex(0);
  }
  StartWorkersAtBegin(keywordTyped);
  if (runningCount_ == 0) {
    // Not one worker could be created: no worker would ever end the run, so it ends here.
    run.userEnded = true;
    FinishRun();
    p_.messages.ShowMessage({"无法启动搜索线程!", "警告", MessageIcon::Warning, MessageButtons::Ok, MessageAnswer::Ok});
    return;
  }
  timer1_->SetEnabled(true);
  timer2_->SetEnabled(true);
  p_.commands.SetCommandEnabled(Command::ASend, true);
  p_.commands.SetKeywordBoxEnabled(false);
  for (auto& started : searchStarted) started();
}

void RunController::StartWorkersAtBegin(bool keywordTyped) {
  const int t = threadCount_;
  const int d = t / 3;
  if (p_.run.Level1().Count() == 0) {
    nextWorkerEngineMode_ = true;
    for (int slot = 1; slot <= std::min(d + 1, 6); ++slot) StartWorker(slot);
  } else if (keywordTyped) {
    nextWorkerEngineMode_ = true;
    for (int slot = 1; slot <= d + 1; ++slot) StartWorker(slot);
    nextWorkerEngineMode_ = false;
    for (int slot = d + 2; slot <= t; ++slot) StartWorker(slot);
  } else {
    nextWorkerEngineMode_ = false;
    for (int slot = 1; slot <= t; ++slot) StartWorker(slot);
  }
  nextWorkerEngineMode_ = false;
}

void RunController::StartWorker(int slot) {
  if (slots_[slot - 1]) return;
  ++runningCount_;
  try {
    slots_[slot - 1] =
        p_.workers.CreateWorker(slot, nextWorkerEngineMode_, [this](int s) { WorkerFinished(s); });
  } catch (...) {
    slots_[slot - 1].reset();
  }
  if (!slots_[slot - 1]) --runningCount_;
}

void RunController::WorkerFinished(int slot) {
  if (slot < 1 || slot > kMaxSlots || !slots_[slot - 1]) return;
  --runningCount_;
  std::unique_ptr<SearchWorker> worker = std::move(slots_[slot - 1]);
  worker->Join();
  worker.reset();
  if (runningCount_ != 0) return;
  FinishRun();
  if (!p_.run.userEnded && p_.results.Count() == 0) {
    const std::string blocked = BlockedEngineNames(p_.run.engines.Rows());
    ShowInfo(p_.messages, blocked.empty() ? kNothingFound : kNothingFound + std::string("\r\n  这些搜索引擎拒绝了查询: ") + blocked + ".");
    p_.keywords.FocusKeywordBox();
  }
}

void RunController::FinishRun() {
  timer1_->SetEnabled(false);
  timer2_->SetEnabled(false);
  elapsedSeconds_ = 0;
  p_.commands.SetAnimationRunning(false);
  ShowStatus(p_.panels, "就绪");
  ShowElapsed(p_.panels, 0);
  p_.commands.SetKeywordBoxEnabled(true);
  p_.commands.SetCommandEnabled(Command::ASend, false);
  p_.commands.SetCommandEnabled(Command::ASbegin, true);
  p_.commands.SetCommandEnabled(Command::AScontinue, true);
  ShowTotals();
  p_.run.runStopped = true;
  if (!p_.run.userEnded && p_.results.Count() >= 1)
    for (auto& action : endOfRunActions) action();
}

void RunController::EndSearch() {
  p_.run.userEnded = true;
  StopWorkers(false);
}

void RunController::StopWorkers(bool wait) {
  p_.run.runStopped = true;
  if (p_.run.userEnded) ShowStatus(p_.panels, "正在结束搜索...");
  for (int slot = 1; slot <= threadCount_; ++slot) {
    if (!slots_[slot - 1]) continue;
    try {
      slots_[slot - 1]->StopWorker();
    } catch (...) {
      // A stop request that fails leaves the worker to end on its own.
    }
    if (wait) WaitForWorker(slot);
  }
}

// Serves the UI thread while waiting, so that the worker's hand-overs and finished notification
// run; the notification releases the worker, which is not touched after that.
void RunController::WaitForWorker(int slot) {
  while (slots_[slot - 1]) p_.ui.WaitForEvents(10);
}

bool RunController::LimitReached() const {
  const Settings& s = p_.settings;
  // The list stops at the address limit (RunRows), so reaching it ends the run.
  return (s.ctrlemail && p_.results.Count() >= s.ctrlemailnumber) ||
         (s.ctrltime && elapsedSeconds_ > static_cast<long long>(s.ctrltimenumber) * 60);
}

void RunController::MTimer1Timer() {
  if (p_.run.runStopped) return;
  try {
    ++elapsedSeconds_;
    ShowElapsed(p_.panels, elapsedSeconds_);
    ShowTotals();
    if (!earlyTopUpDone_ && p_.run.Level1().Count() > 10) {
      earlyTopUpDone_ = true;
      MTimer2Timer();
    }
    if (LimitReached()) {
      p_.run.userEnded = false;
      StopWorkers(false);
    }
  } catch (...) {
    // The tick goes on at the next second.
  }
}

void RunController::MTimer2Timer() {
  if (p_.run.runStopped) return;
  try {
    ++minuteTicks_;
    if (threadCount_ > runningCount_) {
      for (int slot = 1; slot <= threadCount_; ++slot) {
        if (p_.run.Level1().Count() <= p_.run.Level1Cursor()) continue;
        nextWorkerEngineMode_ = false;
        StartWorker(slot);
      }
    }
    if (p_.settings.timeout)
      for (int slot = 1; slot <= threadCount_; ++slot)
        if (slots_[slot - 1]) slots_[slot - 1]->CheckWorkerTimeout(p_.settings.timeoutnumber);
    Autosave();
  } catch (...) {
    // A failed top-up, watchdog step or autosave is tried again at the next tick.
  }
}

void RunController::Autosave() {
  const int n = p_.settings.autosavetime;
  // An interval of 0 or less (only an edited INI file holds one) means no autosave.
  if (!p_.settings.autosave || n <= 0 || minuteTicks_ <= n || minuteTicks_ % n != 1) return;
  const std::string path = IsBlankText(p_.document.documentPath.get()) ? p_.folders.ProgramFolder() + kAutosaveFileName
                                                                       : p_.document.documentPath.get();
  try {
    p_.saveDocument(path);
  } catch (...) {
    // The next autosave tries again.
  }
}

}  // namespace marvessa
