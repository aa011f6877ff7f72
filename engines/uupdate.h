// The engine update service of the main window: at most one update thread, its flags, the
// automatic update at search start, the on-demand update with its progress dialog, and the
// rotating news line.
#pragma once

#include <memory>
#include <string>

#include "base/ufolders.h"
#include "base/uglobal.h"
#include "base/uuithread.h"
#include "engines/uUpthd.h"

namespace marvessa {

// The progress dialog TdlgUpdate: label lbMsg and button BtCancel.
class UpdateDialogView {
 public:
  virtual ~UpdateDialogView() = default;
  virtual void SetUpdateMessage(const std::string& text) = 0;
  virtual void SetUpdateButtonCaption(const std::string& caption) = 0;
  virtual void ShowUpdateDialog() = 0;
  virtual void HideUpdateDialog() = 0;
};

class EngineUpdateService {
 public:
  EngineUpdateService(const Settings& settings, const Folders& folders, UiThread& ui, UpdateDialogView& dialog);
  ~EngineUpdateService();
  EngineUpdateService(const EngineUpdateService&) = delete;
  EngineUpdateService& operator=(const EngineUpdateService&) = delete;

  // Starts an update thread unless one is running; update false fetches nothing.
  void StartEngineUpdate(bool update);
  // Cancels a running update; with wait, returns once its thread has ended.
  void StopEngineUpdate(bool wait);
  // Attached to the search start: until one update has succeeded in this program run.
  void SearchStarted();
  // "升级引擎...".
  void NTVupdateClick();
  // The dialog's button, whatever its caption.
  void BtCancelClick();
  // Start-up: no update has succeeded yet.
  void ClearSucceeded() { succeeded_ = false; }

  bool running() const { return running_; }
  bool succeeded() const { return succeeded_; }

 private:
  void Completed();

  const Settings& settings_;
  const Folders& folders_;
  UiThread& ui_;
  UpdateDialogView& dialog_;
  std::unique_ptr<TUpthd> thread_;
  bool running_ = false;
  bool succeeded_ = false;
  bool cancelRequested_ = false;
};

// The news line PLmsg: its caption and the link a click opens.
class NewsLineView {
 public:
  virtual ~NewsLineView() = default;
  virtual void SetNewsCaption(const std::string& caption) = 0;
  virtual void SetNewsLink(const std::string& link) = 0;
};

// Shows the news file's messages one per tick, in rotation.
class NewsRotation {
 public:
  // The 60-second tick: reads the news file again and shows its next message.
  void ShowNextNews(const Folders& folders, NewsLineView& view);
  int counter() const { return counter_; }

 private:
  int counter_ = 0;
};

}  // namespace marvessa
