#include "cli/headless_session.h"

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>

#include "base/ufileio.h"
#include "cli/console.h"

namespace marvessa::cli {

namespace {

std::atomic<int> interrupts{0};

void OnInterrupt(int) {
  if (interrupts.fetch_add(1) >= 1) std::_Exit(130);
}

}  // namespace

HeadlessSession::HeadlessSession(const Folders& folders) {
  form_ = std::make_unique<TMainForm>(window_, MainPlatform{ui_, timers_, folders, shell_, dialUp_, shutdown_});
  form_->FormCreate();
}

HeadlessSession::~HeadlessSession() {
  if (closed_) return;
  try {
    Close();
  } catch (...) {
    // Already reported by whoever closed the session on purpose.
  }
}

void HeadlessSession::ShowStatusLine(bool final) {
  const bool terminal = ::isatty(STDERR_FILENO);
  const std::string line = GbkToUtf8(window_.StatusLine());
  if (terminal) {
    std::fprintf(stderr, "\r%-78s%s", line.c_str(), final ? "\n" : "");
  } else {
    std::fprintf(stderr, "%s\n", line.c_str());
  }
  std::fflush(stderr);
}

bool HeadlessSession::RunSearch(bool continueRun) {
  RunController& controller = form_->controller();
  controller.StartSearch(continueRun);
  if (form_->run().runStopped) return false;
  interrupts = 0;
  auto previous = std::signal(SIGINT, OnInterrupt);
  auto previousTerm = std::signal(SIGTERM, OnInterrupt);
  const bool terminal = ::isatty(STDERR_FILENO);
  const auto every = terminal ? std::chrono::seconds(1) : std::chrono::seconds(10);
  auto nextLine = std::chrono::steady_clock::now() + every;
  bool ended = false;
  while (!form_->run().runStopped || controller.runningCount() > 0) {
    ui_.WaitForEvents(50);
    timers_.FireDue();
    if (interrupts > 0 && !ended) {
      ended = true;
      controller.EndSearch();
    }
    if (std::chrono::steady_clock::now() >= nextLine) {
      ShowStatusLine(false);
      nextLine += every;
    }
  }
  ShowStatusLine(true);
  std::signal(SIGINT, previous);
  std::signal(SIGTERM, previousTerm);
  return true;
}

RunReport HeadlessSession::Report(double seconds) {
  return {form_->run().PagesFetched(), form_->results().Count(), seconds, form_->run().engines.Rows()};
}

void HeadlessSession::Close(bool keepAutosave) {
  closed_ = true;
  if (!keepAutosave) DeleteFileIfExists(form_->files().AutosavePath());
  try {
    form_->FormDestroy();
  } catch (const FileError& e) {
    std::fprintf(stderr, "marvessa-cli: warning: %s; the settings were not saved\n", e.what());
  }
}

}  // namespace marvessa::cli
