#include "engines/uUpthd.h"

#include <cstdlib>

#include "base/ufileio.h"
#include "base/utext.h"
#include "engines/ucatalog.h"
#include "net/uhttp.h"

namespace marvessa {

std::string UpdateServer() {
  const char* server = std::getenv("MARVESSA_UPDATE_SERVER");
  std::string base = server && *server ? server : kMakerSite;
  while (!base.empty() && base.back() == '/') base.pop_back();
  return base;
}

TUpthd::TUpthd(bool update, const Settings& settings, const Folders& folders, UiThread& ui,
               std::function<void()> completed)
    : update_(update),
      folders_(folders),
      ui_(ui),
      completed_(std::move(completed)),
      http_(std::make_unique<HttpClient>(UpdateHttpSetup(settings))),
      thread_([this] { Execute(); }) {}

TUpthd::~TUpthd() { Join(); }

void TUpthd::Join() {
  if (thread_.joinable()) thread_.join();
}

void TUpthd::Cancel() {
  cancelled_ = true;
  http_->Stop();
}

std::string TUpthd::Download(const char* path, const std::string& target) {
  FetchResult result = http_->Get(UpdateServer() + path);
  http_->CloseConnection();
  std::string text = result.ok ? std::move(result.body) : std::string();
  if (Contains(text, "[/body]")) {
    try {
      WriteFileAtomic(target, text);
    } catch (const FileError&) {
      // Success is judged by the downloaded text alone; the old file stays in place.
    }
  }
  return text;
}

void TUpthd::Execute() {
  if (!cancelled_ && update_) engineText_ = Download(kEngineUpdatePath, folders_.ProgramFolder() + kEngineFileName);
  if (!cancelled_ && update_) Download(kNewsUpdatePath, folders_.WindowsFolder() + kNewsFileName);
  if (!cancelled_ && update_) Download(kAddressRulesUpdatePath, folders_.ProgramFolder() + kAddressRulesFileName);
  ui_.Post(completed_);
}

}  // namespace marvessa
