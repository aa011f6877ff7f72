// The engine update thread: fetches the engine file, the news file and the address rules from
// the update server.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "base/ufolders.h"
#include "base/uglobal.h"
#include "base/uuithread.h"

namespace marvessa {

class HttpClient;

inline constexpr const char* kEngineUpdatePath = "/update/trovik5.dat";
inline constexpr const char* kNewsUpdatePath = "/update/msg.dat";
inline constexpr const char* kNewsFileName = "qemomsg.dat";
inline constexpr const char* kAddressRulesUpdatePath = "/update/address-rules.dat";
// The address rules the update renews, beside the program; the address finder reads them.
inline constexpr const char* kAddressRulesFileName = "address-rules.dat";

// The maker's web site, which serves the updates.
inline constexpr const char* kMakerSite = "http://www.marvessa.example";

// The update server: $MARVESSA_UPDATE_SERVER when set (a base URL, for tests and mirrors), else
// the maker's web site.
std::string UpdateServer();

class TUpthd {
 public:
  // Starts at once. completed runs on the UI thread when the work is done, before the thread
  // ends; it reads engineText().
  TUpthd(bool update, const Settings& settings, const Folders& folders, UiThread& ui, std::function<void()> completed);
  ~TUpthd();
  TUpthd(const TUpthd&) = delete;
  TUpthd& operator=(const TUpthd&) = delete;

  // Honoured also before the work begins; drops an open connection, so a download in progress fails.
  void Cancel();
  void Join();
  // The response to the engine-file request; empty after an error.
  const std::string& engineText() const { return engineText_; }

 private:
  void Execute();
  // The whole response body, or empty on any error; the file is written when it holds "[/body]".
  std::string Download(const char* path, const std::string& target);

  const bool update_;
  const Folders& folders_;
  UiThread& ui_;
  std::function<void()> completed_;
  std::atomic<bool> cancelled_{false};
  std::unique_ptr<HttpClient> http_;
  std::string engineText_;
  std::thread thread_;
};

}  // namespace marvessa
