#include "search/uenginestatus.h"

namespace marvessa {

EngineState EngineRunRow::State() const {
  if (!lastOutcome) return EngineState::kOk;
  const EngineState state = StateOf(*lastOutcome);
  if ((state == EngineState::kOk || state == EngineState::kNoResults) && results > 0) return EngineState::kOk;
  return state;
}

bool EngineRunRow::Blocked() const {
  const EngineState state = State();
  return state == EngineState::kRateLimited || state == EngineState::kBlocked;
}

void EngineStatus::Begin(const std::vector<EngineRow>& engines) {
  std::lock_guard lock(mutex_);
  engines_.clear();
  for (const EngineRow& engine : engines) {
    Engine e;
    e.row.name = engine.name;
    e.row.scope = engine.scope;
    e.row.site = engine.site;
    engines_.push_back(std::move(e));
  }
}

std::vector<EngineRunRow> EngineStatus::Rows() const {
  std::lock_guard lock(mutex_);
  std::vector<EngineRunRow> rows;
  const Clock::time_point now = Clock::now();
  for (const Engine& e : engines_) {
    rows.push_back(e.row);
    rows.back().suspended = e.pausedUntil && *e.pausedUntil > now;
  }
  return rows;
}

EngineStatus::Engine* EngineStatus::Find(int engine) {
  return engine >= 0 && engine < static_cast<int>(engines_.size()) ? &engines_[engine] : nullptr;
}

void EngineStatus::Record(int engine, FetchOutcome outcome, int status, const std::string& url, int results,
                          int retryAfterSeconds, Clock::time_point now) {
  std::lock_guard lock(mutex_);
  Engine* e = Find(engine);
  if (!e) return;
  EngineRunRow& row = e->row;
  ++row.requests;
  if (outcome == FetchOutcome::kOk || outcome == FetchOutcome::kNoResults) ++row.resultPages;
  row.results += results;
  row.lastOutcome = outcome;
  row.lastStatus = status;
  row.lastUrl = url;
  const bool rateLimited = outcome == FetchOutcome::kRateLimited;
  if (!rateLimited && outcome != FetchOutcome::kBlocked) return;
  if (!row.firstBlocked) row.firstBlocked = std::chrono::system_clock::now();
  const auto pause = std::chrono::seconds(retryAfterSeconds >= 0 ? retryAfterSeconds : kRateLimitPauseSeconds);
  e->pausedUntil = rateLimited ? now + pause : Clock::time_point::max();
}

void EngineStatus::CountRequest(int engine) {
  std::lock_guard lock(mutex_);
  if (Engine* e = Find(engine)) ++e->row.requests;
}

bool EngineStatus::IsSuspended(int engine, Clock::time_point now) const {
  std::lock_guard lock(mutex_);
  if (engine < 0 || engine >= static_cast<int>(engines_.size())) return false;
  const auto& until = engines_[engine].pausedUntil;
  return until && *until > now;
}

std::string EngineStatus::Cookies(int engine, const std::vector<std::pair<std::string, std::string>>& own) const {
  std::lock_guard lock(mutex_);
  std::map<std::string, std::string> cookies(own.begin(), own.end());
  if (engine >= 0 && engine < static_cast<int>(engines_.size()))
    for (const auto& [name, value] : engines_[engine].cookies) cookies[name] = value;
  std::string header;
  for (const auto& [name, value] : cookies) header += (header.empty() ? "" : "; ") + name + "=" + value;
  return header;
}

void EngineStatus::KeepCookies(int engine, const std::vector<std::string>& setCookies) {
  std::lock_guard lock(mutex_);
  Engine* e = Find(engine);
  if (!e) return;
  for (const std::string& cookie : setCookies) {
    const std::size_t equals = cookie.find('=');
    if (equals != std::string::npos && equals > 0) e->cookies[cookie.substr(0, equals)] = cookie.substr(equals + 1);
  }
}

bool EngineStatus::ClaimWarmup(int engine) {
  std::lock_guard lock(mutex_);
  Engine* e = Find(engine);
  if (!e || e->warmupClaimed) return false;
  e->warmupClaimed = true;
  return true;
}

void EngineStatus::SetToken(int engine, const std::string& token) {
  std::lock_guard lock(mutex_);
  if (Engine* e = Find(engine)) e->token = token;
}

std::string EngineStatus::Token(int engine) const {
  std::lock_guard lock(mutex_);
  return engine >= 0 && engine < static_cast<int>(engines_.size()) ? engines_[engine].token : std::string();
}

std::string EngineStatusLine(const EngineRunRow& row) {
  std::string line = row.name + "  " + ScopeName(row.scope) + "  请求:" + IntToText(row.requests) +
                     "  结果页:" + IntToText(row.resultPages) + "  结果:" + IntToText(row.results) + "  " +
                     StateCaption(row.State());
  if (row.lastStatus != 0) line += "  HTTP " + IntToText(row.lastStatus);
  if (!row.lastUrl.empty()) line += "  " + row.lastUrl;
  return line;
}

std::string BlockedEngineNames(const std::vector<EngineRunRow>& rows) {
  std::string names;
  for (const EngineRunRow& row : rows)
    if (row.Blocked()) names += (names.empty() ? "" : ", ") + row.name + " (" + StateCaption(row.State()) + ")";
  return names;
}

}  // namespace marvessa
