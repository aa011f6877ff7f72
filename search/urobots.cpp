#include "search/urobots.h"

#include "base/utext.h"

namespace marvessa {

namespace {

// Whether pattern (with "*" and a final "$") matches the start of path.
bool PatternMatches(std::string_view pattern, std::string_view path) {
  const bool anchored = !pattern.empty() && pattern.back() == '$';
  if (anchored) pattern.remove_suffix(1);
  std::size_t at = 0;
  bool first = true;
  while (true) {
    const std::size_t star = pattern.find('*');
    const std::string_view piece = pattern.substr(0, star);
    if (first) {
      if (path.substr(0, piece.size()) != piece) return false;
      at = piece.size();
      first = false;
    } else {
      const std::size_t found = path.find(piece, at);
      if (found == std::string_view::npos) return false;
      at = found + piece.size();
    }
    if (star == std::string_view::npos) break;
    pattern.remove_prefix(star + 1);
  }
  return !anchored || at == path.size();
}

// The site root and path (with query) of a URL.
std::pair<std::string, std::string> SplitSite(const std::string& url) {
  const std::size_t scheme = url.find("://");
  if (scheme == std::string::npos) return {};
  const std::size_t slash = url.find_first_of("/?#", scheme + 3);
  std::string root = LowerAscii(url.substr(0, slash));
  std::string path = slash == std::string::npos ? "/" : url.substr(slash, url.find('#', slash) - slash);
  if (path.empty() || path[0] != '/') path.insert(0, "/");
  return {std::move(root), std::move(path)};
}

}  // namespace

RobotsRules RobotsRules::Parse(std::string_view text) {
  RobotsRules robots;
  bool inGroup = false;    // the current group names "*"
  bool lastWasAgent = false;
  for (const std::string& raw : SplitLines(text)) {
    std::string line = raw.substr(0, raw.find('#'));
    const std::size_t colon = line.find(':');
    if (colon == std::string::npos) continue;
    const std::string field = LowerAscii(Trim(line.substr(0, colon)));
    const std::string value = Trim(line.substr(colon + 1));
    if (field == "user-agent") {
      if (!lastWasAgent) inGroup = false;
      inGroup = inGroup || value == "*";
      lastWasAgent = true;
      continue;
    }
    lastWasAgent = false;
    if (!inGroup || (field != "allow" && field != "disallow")) continue;
    if (value.empty()) continue;  // "Disallow:" allows everything
    robots.rules_.push_back({value, field == "allow"});
  }
  return robots;
}

bool RobotsRules::Allows(std::string_view path) const {
  const Rule* best = nullptr;
  for (const Rule& rule : rules_) {
    if (!PatternMatches(rule.path, path)) continue;
    if (!best || rule.path.size() > best->path.size() || (rule.path.size() == best->path.size() && rule.allow))
      best = &rule;
  }
  return !best || best->allow;
}

bool RobotsCache::Allows(const std::string& url, const Fetcher& fetch) {
  const auto [root, path] = SplitSite(url);
  if (root.empty()) return true;
  std::unique_lock lock(mutex_);
  ready_.wait(lock, [&, &root = root] { return !pending_.count(root); });
  if (auto known = rules_.find(root); known != rules_.end()) return known->second.Allows(path);
  pending_[root] = true;
  lock.unlock();
  RobotsRules rules;
  try {
    rules = RobotsRules::Parse(fetch(root + "/robots.txt"));
  } catch (...) {
    // Rules that cannot be read forbid nothing.
  }
  lock.lock();
  pending_.erase(root);
  const bool allowed = rules.Allows(path);
  rules_[root] = std::move(rules);
  ready_.notify_all();
  return allowed;
}

void RobotsCache::Clear() {
  std::lock_guard lock(mutex_);
  rules_.clear();
}

}  // namespace marvessa
