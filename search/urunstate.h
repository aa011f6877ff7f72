// The state a search run shares between the UI thread and its workers, and the run lock that
// makes the workers' steps on it indivisible.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "base/uglobal.h"
#include "base/utext.h"
#include "engines/uengine.h"
#include "search/uaddressrules.h"
#include "search/uenginestatus.h"
#include "search/urobots.h"
#include "search/uurlqueue.h"

namespace marvessa {

class RunState {
 public:
  explicit RunState(const Settings& settings) : settings_(settings) {}
  RunState(const RunState&) = delete;
  RunState& operator=(const RunState&) = delete;

  // Written on the UI thread, read by timers and workers.
  std::atomic<bool> runStopped{true};
  // UI thread only.
  bool userEnded = false;
  // Changed only at the start of a run, before any worker of it exists.
  Lines runKeywords;
  void SetRunEngines(Lines engines);
  const Lines& RunEngines() const { return runEngines_; }

  // --- Indivisible worker steps (each takes the run lock) ---

  // Hands out the next (keyword line, engine) job: loads the engine into engine and returns the
  // keyword line, empty when no job is left. A non-empty line replaces the keyword terms.
  std::string TakeNextJob(EngineDef& engine);
  // The same, telling which engine of the run (from 0) was loaded.
  std::string TakeNextJob(EngineDef& engine, int& engineNumber);
  // Hands out the next URL to crawl, level 1 oldest first, then level 2; empty when none is left
  // or when stopRequested. titleIndex becomes the level-1 age index, or -1.
  std::string TakeNextUrl(int& titleIndex, bool stopRequested);
  // TakeNextUrl for a crawl that keeps at most hostLimit fetches in flight per site host: while
  // the next URL's host is busy or paused it waits, without taking the URL, until that changes
  // or stop is set; so no URL is skipped, and the cursors of a saved run count only URLs taken.
  // host becomes the URL's site host, whose slot is held until ReleaseHost.
  std::string TakeNextUrlForHost(int& titleIndex, const std::atomic<bool>& stop, int hostLimit, std::string& host);
  void ReleaseHost(const std::string& host);
  // No URL of the host is handed out before until (a 429 or 503 with Retry-After).
  void PauseHost(const std::string& host, std::chrono::steady_clock::time_point until);
  // Waits until the engine host may be asked again: no request to it in flight and interval
  // passed since the last one ended (plus up to a quarter of it at random). False when stop was
  // set first. The host is busy until ReleaseEngineHost.
  bool AcquireEngineHost(const std::string& host, int intervalMs, const std::atomic<bool>& stop);
  void ReleaseEngineHost(const std::string& host, int intervalMs);
  // Host slots, pauses and robots.txt rules start anew (at every start and continue of a run).
  void ResetHosts();
  // The robots.txt rules of the run's crawled sites.
  RobotsCache robots;
  // How the run's engines answer; begun with the run engine list.
  EngineStatus engines;

  // True when the queue is over its capacity, url is blank, or the queue holds url (any case).
  bool IsKnownLevel1Url(std::string_view url) const;
  bool IsKnownLevel2Url(std::string_view url) const;
  // For a link found on a page, with one lock: kFull while the level-2 list holds more than
  // chache2number entries (the page's links are done), else kKnown as IsKnownLevel2Url, or kNew.
  enum class Level2Check { kNew, kKnown, kFull };
  Level2Check CheckLevel2Url(std::string_view url) const;
  // Adds the lower-cased, trimmed address to the seen list unless it is there; true when new.
  bool RememberEmail(std::string_view email);
  // The result title of the level-1 URL with this age index; empty when there is none.
  std::string Level1Title(int titleIndex) const;
  // The terms of the keyword line taken last, as one consistent list.
  std::shared_ptr<const Lines> KeywordTerms() const;
  // The address rules of the run; the built-in ones until a run start sets others.
  std::shared_ptr<const AddressRules> AddressRulesInUse() const;
  void CountFetch();
  // The queue sizes as a worker sees them between two UI-thread additions.
  int Level1Count() const;
  int Level2Count() const;

  // --- Additions, on the UI thread (each repeats its duplicate test under the lock) ---

  // Inserts a new level-1 URL on top and appends its title; false when it was blank or known.
  bool AddLevel1(const std::string& url, const std::string& title);
  bool AddLevel2(const std::string& url);

  // --- Counters and cursors (UI thread; locked so that workers see them consistently) ---

  int PagesFetched() const;
  int Level1Cursor() const;
  int Level2Cursor() const;
  int KeywordIndex() const;
  void SetProgress(int level1Cursor, int level2Cursor, int pagesFetched);
  void SetLevel1Cursor(int level1Cursor);
  void SetKeywordIndex(int keywordIndex);
  void SetEngineIndex(int engineIndex);
  void SetKeywordTerms(Lines terms);
  void SetAddressRules(std::shared_ptr<const AddressRules> rules);

  // --- The lists, for the UI thread. Changes must go through Edit() while workers may run ---

  const UrlQueue& Level1() const { return level1_; }
  const UrlQueue& Level2() const { return level2_; }
  const PackedLines& Level1Titles() const { return level1Titles_; }
  const SeenList& Seen() const { return seen_; }
  // Runs change on the lists under the run lock.
  template <typename F>
  void Edit(F&& change) {
    std::lock_guard lock(mutex_);
    change(level1_, level1Titles_, level2_, seen_);
  }
  // Queue observers for list views.
  void SetObservers(UrlQueueObserver* level1, UrlQueueObserver* level2);

 private:
  bool IsKnown(const UrlQueue& queue, int capacity, std::string_view url) const;

  // The entry TakeNextUrl would hand out next, without taking it; nothing when none is left.
  std::optional<std::string_view> PeekNextUrl() const;

  const Settings& settings_;
  Lines runEngines_;
  int runEngineCount_ = 0;  // counted once, so that a job is handed out in constant time
  mutable std::mutex mutex_;
  std::condition_variable hostsChanged_;  // a host slot was released, or a new URL may be there
  std::unordered_map<std::string, int> hostsInFlight_;
  std::unordered_map<std::string, std::chrono::steady_clock::time_point> hostsPausedUntil_;
  struct EngineHost {
    bool busy = false;
    std::chrono::steady_clock::time_point next;
  };
  std::unordered_map<std::string, EngineHost> engineHosts_;
  unsigned jitterSeed_ = 1;
  UrlQueue level1_;     // mmuncheck
  PackedLines level1Titles_;  // MMtitle
  UrlQueue level2_;     // MMscan
  SeenList seen_;       // mmlist
  std::shared_ptr<const Lines> keywordTerms_ = std::make_shared<const Lines>();
  std::shared_ptr<const AddressRules> addressRules_ = BuiltinAddressRules();
  int keywordIndex_ = 0;
  int engineIndex_ = 0;
  int level1Cursor_ = 0;
  int level2Cursor_ = 0;
  int pagesFetched_ = 0;
};

}  // namespace marvessa
