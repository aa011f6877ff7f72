// The search run controller: begins, continues and ends runs, keeps the worker slots filled,
// enforces the run limits, autosaves, and returns the window to idle when the last worker ends.
// Everything here runs on the UI thread.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/ucommands.h"
#include "base/ufolders.h"
#include "base/uglobal.h"
#include "base/umessages.h"
#include "base/utimer.h"
#include "base/uuithread.h"
#include "base/uview.h"
#include "results/udocstate.h"
#include "results/uresults.h"
#include "search/urunstate.h"
#include "search/ustatusline.h"
#include "search/uworker.h"

namespace marvessa {

struct RunControllerParts {
  Settings& settings;
  const Folders& folders;
  RunState& run;
  ResultList& results;
  DocumentState& document;
  KeywordInput& keywords;
  ScopeButtons& scope;
  StatusPanels& panels;
  CommandView& commands;
  MessageBoxes& messages;
  UiThread& ui;
  TimerFactory& timers;
  SearchWorkerFactory& workers;
  // Empties the rows, the list view and the seen-address list.
  std::function<void()> clearCustomerList;
  // Writes the search document to the path.
  std::function<void(const std::string&)> saveDocument;
  // The save question over a modified document; false when the user cancelled.
  std::function<bool()> confirmSaveIfModified;
};

// The customer list as the workers of a run fill it: the list never grows past the address
// limit, however fast rows arrive between two ticks, and every row added is an unsaved change
// of the document.
class RunRows : public RowSink {
 public:
  RunRows(const Settings& settings, ResultList& results, DocumentState& document)
      : settings_(settings), results_(results), document_(document) {}
  void AddRow(const std::string& email, const std::string& url, const std::string& title) override;

 private:
  const Settings& settings_;
  ResultList& results_;
  DocumentState& document_;
};

class RunController {
 public:
  static constexpr int kMaxSlots = 48;

  explicit RunController(RunControllerParts parts);
  ~RunController();
  RunController(const RunController&) = delete;
  RunController& operator=(const RunController&) = delete;

  // "开始" (false) and "继续" (true); ignored while a run is active.
  void StartSearch(bool continueRun);
  // "结束": the user ends the run.
  void EndSearch();
  void StopWorkers(bool wait);
  void FinishRun();
  void WorkerFinished(int slot);
  // The 1-second and the 60-second ticks.
  void MTimer1Timer();
  void MTimer2Timer();

  // Run at the end of every start, after the workers and timers are going.
  std::vector<std::function<void()>> searchStarted;
  // Run in order by FinishRun when the run ended on its own with at least one row.
  std::vector<std::function<void()>> endOfRunActions;

  int threadCount() const { return threadCount_; }
  int runningCount() const { return runningCount_; }
  bool slotBusy(int slot) const { return slots_[slot - 1] != nullptr; }
  int elapsedSeconds() const { return elapsedSeconds_; }
  int minuteTicks() const { return minuteTicks_; }
  Timer& timer1() { return *timer1_; }
  Timer& timer2() { return *timer2_; }

 private:
  void StartWorker(int slot);
  void StartWorkersAtBegin(bool keywordTyped);
  void WaitForWorker(int slot);
  bool LimitReached() const;
  void Autosave();
  void ShowTotals();

  RunControllerParts p_;
  std::unique_ptr<Timer> timer1_;
  std::unique_ptr<Timer> timer2_;
  std::array<std::unique_ptr<SearchWorker>, kMaxSlots> slots_;
  int threadCount_ = 2;
  int runningCount_ = 0;
  bool nextWorkerEngineMode_ = false;
  bool earlyTopUpDone_ = false;
  int elapsedSeconds_ = 0;
  int minuteTicks_ = 0;
};

}  // namespace marvessa
