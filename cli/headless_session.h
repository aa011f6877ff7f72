// The main window of the command line at work: a TMainForm over the headless window, with the
// main thread serving hand-overs and firing the timers on real time.
#pragma once

#include <memory>

#include "app/uMain.h"
#include "cli/cli_platform.h"
#include "cli/headless_window.h"
#include "search/urunreport.h"

namespace marvessa::cli {

class HeadlessSession {
 public:
  // Runs the start-up sequence over the program folder.
  explicit HeadlessSession(const Folders& folders);
  ~HeadlessSession();

  TMainForm& form() { return *form_; }
  HeadlessWindow& window() { return window_; }
  UiThread& ui() { return ui_; }

  // Begins or continues a run and serves it until it is idle again, showing the status line on
  // stderr. Ctrl-C or SIGTERM ends the run as "结束" does; a second one ends the program. False
  // when the run did not start.
  bool RunSearch(bool continueRun);
  // The report of the run just served, which took that many seconds.
  RunReport Report(double seconds);
  // Closes the window: the autosave file goes unless it is to be kept, and the shut-down sequence
  // runs. Settings that cannot be saved (a read-only program folder) are only warned about, so
  // that the run's result stands.
  void Close(bool keepAutosave = false);

 private:
  void ShowStatusLine(bool final);

  HeadlessWindow window_;
  TaskQueueUiThread ui_;
  LoopTimerFactory timers_;
  NoShell shell_;
  NoDialUp dialUp_;
  NoShutdown shutdown_;
  std::unique_ptr<TMainForm> form_;
  bool closed_ = false;
};

}  // namespace marvessa::cli
