// How each engine of a run has answered: its requests, result pages and results, the outcome of
// its last request, and whether it is suspended. Shared by the workers (which record every
// request) and the UI thread (which shows it); every method takes the object's own lock.
#pragma once

#include <chrono>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "engines/ucatalog.h"
#include "search/uoutcome.h"

namespace marvessa {

// A rate-limited engine without Retry-After is paused for this long.
inline constexpr int kRateLimitPauseSeconds = 180;

struct EngineRunRow {
  std::string name;  // core text
  int scope = 0;
  std::string site;
  int requests = 0;
  int resultPages = 0;  // answers that were result pages, with or without results
  int results = 0;      // results cut from them
  std::optional<FetchOutcome> lastOutcome;  // none before the first request
  int lastStatus = 0;
  std::string lastUrl;
  std::optional<std::chrono::system_clock::time_point> firstBlocked;  // rate-limited or blocked
  bool suspended = false;

  // The last outcome's state; an engine whose later pages run out of results stays "ok" once it
  // has given any, and one not asked yet is "ok".
  EngineState State() const;
  // Rate-limited or asking for a verification.
  bool Blocked() const;
};

class EngineStatus {
 public:
  using Clock = std::chrono::steady_clock;

  // A new run over these engines (in run order), every counter at 0.
  void Begin(const std::vector<EngineRow>& engines);
  std::vector<EngineRunRow> Rows() const;

  // One request's outcome, with the results cut from its page. A rate-limited engine is paused
  // for retryAfterSeconds (kRateLimitPauseSeconds without it), a blocked one for the rest of
  // the run.
  void Record(int engine, FetchOutcome outcome, int status, const std::string& url, int results,
              int retryAfterSeconds = -1, Clock::time_point now = Clock::now());
  // A request that only prepared the queries (a warm-up) and went well.
  void CountRequest(int engine);
  // Whether the engine's jobs are skipped now.
  bool IsSuspended(int engine, Clock::time_point now = Clock::now()) const;

  // The engine's cookies ("a=1; b=2"): the record's own, then those its answers set.
  std::string Cookies(int engine, const std::vector<std::pair<std::string, std::string>>& own) const;
  void KeepCookies(int engine, const std::vector<std::string>& setCookies);
  // True for the one caller that is to make the engine's warm-up request in this run.
  bool ClaimWarmup(int engine);
  void SetToken(int engine, const std::string& token);
  std::string Token(int engine) const;

 private:
  struct Engine {
    EngineRunRow row;
    std::optional<Clock::time_point> pausedUntil;  // Clock::time_point::max() for the whole run
    std::map<std::string, std::string> cookies;
    bool warmupClaimed = false;
    std::string token;
  };
  Engine* Find(int engine);

  mutable std::mutex mutex_;
  std::vector<Engine> engines_;
};

// One line per engine as the command line and the demo show them (core text):
// name, scope, requests, result pages, results, state, last status and URL.
std::string EngineStatusLine(const EngineRunRow& row);
// The engines that refused the run: "Bing (需要验证), Brave (被限速)"; empty when none did.
std::string BlockedEngineNames(const std::vector<EngineRunRow>& rows);

}  // namespace marvessa
