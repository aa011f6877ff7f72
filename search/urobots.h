// robots.txt of the crawled sites: its rules for every robot ("User-agent: *"), and a cache that
// fetches each host's file once per run.
#pragma once

#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace marvessa {

// The Allow and Disallow lines of the groups for "*"; the longest matching path wins, Allow on a
// tie. "*" in a path matches any text and a final "$" anchors it at the end.
class RobotsRules {
 public:
  static RobotsRules Parse(std::string_view text);
  // Whether a path (with its query) may be fetched.
  bool Allows(std::string_view path) const;

 private:
  struct Rule {
    std::string path;
    bool allow;
  };
  std::vector<Rule> rules_;
};

// One robots.txt per site root (scheme://host:port) per run. The first worker that needs a
// host's rules fetches them; others needing the same host meanwhile wait for that fetch.
class RobotsCache {
 public:
  // Fetches the text of a robots.txt URL; empty when there is none or the fetch failed.
  using Fetcher = std::function<std::string(const std::string& robotsUrl)>;

  // Whether url may be fetched; fetches its host's robots.txt with fetch the first time.
  bool Allows(const std::string& url, const Fetcher& fetch);
  // Forgets every host: a new run reads the files again.
  void Clear();

 private:
  std::mutex mutex_;
  std::condition_variable ready_;
  std::map<std::string, RobotsRules> rules_;  // by site root
  std::map<std::string, bool> pending_;       // site roots being fetched
};

}  // namespace marvessa
