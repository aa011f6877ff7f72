#include "engines/uupdate.h"

#include "base/ufileio.h"
#include "base/utext.h"

namespace marvessa {

EngineUpdateService::EngineUpdateService(const Settings& settings, const Folders& folders, UiThread& ui,
                                         UpdateDialogView& dialog)
    : settings_(settings), folders_(folders), ui_(ui), dialog_(dialog) {}

EngineUpdateService::~EngineUpdateService() { StopEngineUpdate(true); }

void EngineUpdateService::StartEngineUpdate(bool update) {
  cancelRequested_ = false;
  if (running_) return;
  running_ = true;
  try {
    thread_ = std::make_unique<TUpthd>(update, settings_, folders_, ui_, [this] { Completed(); });
  } catch (...) {
    running_ = false;
  }
}

void EngineUpdateService::Completed() {
  running_ = false;
  if (cancelRequested_) {
    dialog_.HideUpdateDialog();
  } else if (!Contains(thread_->engineText(), "[/body]")) {
    dialog_.SetUpdateMessage("引擎升级失败!");
    dialog_.SetUpdateButtonCaption("关闭(&C)");
  } else {
    succeeded_ = true;
    dialog_.HideUpdateDialog();
  }
  thread_.reset();
}

void EngineUpdateService::StopEngineUpdate(bool wait) {
  cancelRequested_ = true;
  if (!running_ || !thread_) return;
  thread_->Cancel();
  // The completion handler runs while waiting and releases the thread.
  while (wait && thread_) ui_.WaitForEvents(10);
}

void EngineUpdateService::SearchStarted() {
  if (!succeeded_) StartEngineUpdate(settings_.autoupdate);
}

void EngineUpdateService::NTVupdateClick() {
  StartEngineUpdate(true);
  dialog_.SetUpdateMessage("正在升级引擎...");
  dialog_.SetUpdateButtonCaption("终止(&C)");
  dialog_.ShowUpdateDialog();
}

void EngineUpdateService::BtCancelClick() {
  cancelRequested_ = true;
  StopEngineUpdate(false);
  dialog_.HideUpdateDialog();
}

void NewsRotation::ShowNextNews(const Folders& folders, NewsLineView& view) {
  auto bytes = ReadFileBytes(folders.WindowsFolder() + kNewsFileName);
  if (!bytes) return;
  const Lines lines = SplitLines(*bytes);
  if (lines.empty() || Trim(LowerAscii(lines[0])) != "[msg]") return;
  const int b = IndexOfLineNoCase(lines, "[body]");
  const int z = IndexOfLineNoCase(lines, "[/body]");
  if (z < 0) return;
  const int m = z - b - 1;
  if (m < 1) return;
  const int k = counter_ % m;
  ++counter_;
  const std::string& message = lines[b + 1 + k];
  const std::size_t p1 = message.find("<1>");
  if (p1 == std::string::npos) return;
  view.SetNewsCaption(message.substr(0, p1));
  const std::size_t p2 = message.find("<2>");
  if (p2 == std::string::npos) return;
  view.SetNewsLink(p2 > p1 + 3 ? message.substr(p1 + 3, p2 - p1 - 3) : std::string());
}

}  // namespace marvessa
