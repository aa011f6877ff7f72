#include "search/urunstate.h"

#include "net/uurl.h"
#include "search/ukeywords.h"

#include <algorithm>

namespace marvessa {

void RunState::SetRunEngines(Lines engines) {
  runEngines_ = std::move(engines);
  runEngineCount_ = RunEngineCount(runEngines_);
}

std::string RunState::TakeNextJob(EngineDef& engine) {
  int engineNumber = 0;
  return TakeNextJob(engine, engineNumber);
}

std::string RunState::TakeNextJob(EngineDef& engine, int& engineNumber) {
  std::lock_guard lock(mutex_);
  const int engines = runEngineCount_;
  const int e = engineIndex_++;
  if (e < engines && level1_.Count() < settings_.chache1number) {
    LoadEngineBlock(runEngines_, e, engine);
    engineNumber = e;
  } else {
    ++keywordIndex_;
    if (engines > 0) {
      LoadEngineBlock(runEngines_, 0, engine);
      engineIndex_ = 1;
      engineNumber = 0;
    }
  }
  const bool past = keywordIndex_ < 0 || keywordIndex_ >= static_cast<int>(runKeywords.size());
  std::string keyword = past || engines == 0 ? std::string() : runKeywords[keywordIndex_];
  // The terms stay those of the last line queried once the jobs run out, so that the crawl
  // phase still filters titles by them.
  if (!keyword.empty()) keywordTerms_ = std::make_shared<const Lines>(ParseKeywordTerms(keyword));
  return keyword;
}

std::string RunState::TakeNextUrl(int& titleIndex, bool stopRequested) {
  titleIndex = -1;
  if (stopRequested) return {};
  std::lock_guard lock(mutex_);
  if (level1Cursor_ < level1_.Count()) {
    titleIndex = level1Cursor_;
    return std::string(level1_.AtAge(level1Cursor_++));
  }
  if (level2Cursor_ < level2_.Count()) return std::string(level2_.AtAge(level2Cursor_++));
  return {};
}

std::optional<std::string_view> RunState::PeekNextUrl() const {
  if (level1Cursor_ < level1_.Count()) return level1_.AtAge(level1Cursor_);
  if (level2Cursor_ < level2_.Count()) return level2_.AtAge(level2Cursor_);
  return std::nullopt;
}

std::string RunState::TakeNextUrlForHost(int& titleIndex, const std::atomic<bool>& stop, int hostLimit,
                                         std::string& host) {
  using Clock = std::chrono::steady_clock;
  titleIndex = -1;
  std::unique_lock lock(mutex_);
  while (!stop) {
    const std::optional<std::string_view> next = PeekNextUrl();
    if (!next) return {};
    host = UrlHost(*next);
    Clock::time_point wakeUp = Clock::now() + std::chrono::milliseconds(100);  // to see a stop
    const auto paused = hostsPausedUntil_.find(host);
    const bool isPaused = paused != hostsPausedUntil_.end() && paused->second > Clock::now();
    if (isPaused) {
      wakeUp = std::min(wakeUp, paused->second);
    } else if (hostsInFlight_[host] < std::max(1, hostLimit)) {
      ++hostsInFlight_[host];
      if (level1Cursor_ < level1_.Count()) titleIndex = level1Cursor_++;
      else ++level2Cursor_;
      return std::string(*next);
    }
    hostsChanged_.wait_until(lock, wakeUp);
  }
  return {};
}

void RunState::ReleaseHost(const std::string& host) {
  {
    std::lock_guard lock(mutex_);
    if (auto slot = hostsInFlight_.find(host); slot != hostsInFlight_.end() && --slot->second <= 0)
      hostsInFlight_.erase(slot);
  }
  hostsChanged_.notify_all();
}

void RunState::PauseHost(const std::string& host, std::chrono::steady_clock::time_point until) {
  std::lock_guard lock(mutex_);
  auto& paused = hostsPausedUntil_[host];
  paused = std::max(paused, until);
}

bool RunState::AcquireEngineHost(const std::string& host, int intervalMs, const std::atomic<bool>& stop) {
  using Clock = std::chrono::steady_clock;
  std::unique_lock lock(mutex_);
  while (!stop) {
    EngineHost& engine = engineHosts_[host];
    const Clock::time_point now = Clock::now();
    if (!engine.busy && engine.next <= now) {
      engine.busy = true;
      return true;
    }
    const Clock::time_point wakeUp = now + std::chrono::milliseconds(100);
    hostsChanged_.wait_until(lock, engine.busy ? wakeUp : std::min(wakeUp, engine.next));
  }
  return false;
}

void RunState::ReleaseEngineHost(const std::string& host, int intervalMs) {
  {
    std::lock_guard lock(mutex_);
    EngineHost& engine = engineHosts_[host];
    const int interval = std::max(0, intervalMs);
    jitterSeed_ = jitterSeed_ * 1103515245u + 12345u;
    const int jitter = interval / 4 > 0 ? static_cast<int>((jitterSeed_ >> 8) % (interval / 4 + 1)) : 0;
    engine.busy = false;
    engine.next = std::chrono::steady_clock::now() + std::chrono::milliseconds(interval + jitter);
  }
  hostsChanged_.notify_all();
}

void RunState::ResetHosts() {
  {
    std::lock_guard lock(mutex_);
    hostsInFlight_.clear();
    hostsPausedUntil_.clear();
    engineHosts_.clear();
  }
  robots.Clear();
}

bool RunState::IsKnown(const UrlQueue& queue, int capacity, std::string_view url) const {
  if (queue.Count() > capacity) return true;
  const std::string_view trimmed = TrimView(url);
  return trimmed.empty() || queue.Holds(trimmed);
}

bool RunState::IsKnownLevel1Url(std::string_view url) const {
  std::lock_guard lock(mutex_);
  return IsKnown(level1_, settings_.chache1number, url);
}

bool RunState::IsKnownLevel2Url(std::string_view url) const {
  return CheckLevel2Url(url) != Level2Check::kNew;
}

RunState::Level2Check RunState::CheckLevel2Url(std::string_view url) const {
  std::lock_guard lock(mutex_);
  if (level2_.Count() > settings_.chache2number) return Level2Check::kFull;
  return IsKnown(level2_, settings_.chache2number, url) ? Level2Check::kKnown : Level2Check::kNew;
}

bool RunState::RememberEmail(std::string_view email) {
  // The seen list folds letter case itself: the lower-cased copy is made only for a new address.
  const std::string_view key = TrimView(email);
  std::lock_guard lock(mutex_);
  if (key.empty() || seen_.Holds(key)) return false;
  seen_.AddNewest(LowerAscii(key));
  return true;
}

std::string RunState::Level1Title(int titleIndex) const {
  std::lock_guard lock(mutex_);
  if (titleIndex < 0 || titleIndex >= static_cast<int>(level1Titles_.size())) return {};
  return std::string(level1Titles_[titleIndex]);
}

std::shared_ptr<const Lines> RunState::KeywordTerms() const {
  std::lock_guard lock(mutex_);
  return keywordTerms_;
}

std::shared_ptr<const AddressRules> RunState::AddressRulesInUse() const {
  std::lock_guard lock(mutex_);
  return addressRules_;
}

void RunState::CountFetch() {
  std::lock_guard lock(mutex_);
  ++pagesFetched_;
}

int RunState::Level1Count() const {
  std::lock_guard lock(mutex_);
  return level1_.Count();
}

int RunState::Level2Count() const {
  std::lock_guard lock(mutex_);
  return level2_.Count();
}

bool RunState::AddLevel1(const std::string& url, const std::string& title) {
  std::lock_guard lock(mutex_);
  if (IsBlankText(url) || level1_.Holds(Trim(url))) return false;
  level1_.AddNewest(url);
  level1Titles_.push_back(title);
  return true;
}

bool RunState::AddLevel2(const std::string& url) {
  std::lock_guard lock(mutex_);
  if (IsBlankText(url) || level2_.Holds(Trim(url))) return false;
  level2_.AddNewest(url);
  return true;
}

int RunState::PagesFetched() const {
  std::lock_guard lock(mutex_);
  return pagesFetched_;
}

int RunState::Level1Cursor() const {
  std::lock_guard lock(mutex_);
  return level1Cursor_;
}

int RunState::Level2Cursor() const {
  std::lock_guard lock(mutex_);
  return level2Cursor_;
}

int RunState::KeywordIndex() const {
  std::lock_guard lock(mutex_);
  return keywordIndex_;
}

void RunState::SetProgress(int level1Cursor, int level2Cursor, int pagesFetched) {
  std::lock_guard lock(mutex_);
  level1Cursor_ = level1Cursor;
  level2Cursor_ = level2Cursor;
  pagesFetched_ = pagesFetched;
}

void RunState::SetLevel1Cursor(int level1Cursor) {
  std::lock_guard lock(mutex_);
  level1Cursor_ = level1Cursor;
}

void RunState::SetKeywordIndex(int keywordIndex) {
  std::lock_guard lock(mutex_);
  keywordIndex_ = keywordIndex;
}

void RunState::SetEngineIndex(int engineIndex) {
  std::lock_guard lock(mutex_);
  engineIndex_ = engineIndex;
}

void RunState::SetKeywordTerms(Lines terms) {
  std::lock_guard lock(mutex_);
  keywordTerms_ = std::make_shared<const Lines>(std::move(terms));
}

void RunState::SetAddressRules(std::shared_ptr<const AddressRules> rules) {
  std::lock_guard lock(mutex_);
  addressRules_ = std::move(rules);
}

void RunState::SetObservers(UrlQueueObserver* level1, UrlQueueObserver* level2) {
  level1_.SetObserver(level1);
  level2_.SetObserver(level2);
}

}  // namespace marvessa
