// A pending-URL list: shown newest on top, handed out to workers oldest first.
#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>

#include "app/utext.h"

namespace marvessa {

// Told about changes of a queue's display, so a list view over it can follow.
class UrlQueueObserver {
 public:
  virtual ~UrlQueueObserver() = default;
  // A row was inserted at this display position (0 = top).
  virtual void RowInserted(int displayRow) = 0;
  virtual void Cleared() = 0;
};

// The entry with age index k (0 = the oldest) stands at display position Count() - 1 - k.
// Entries are changed on the UI thread only; the run lock orders them against workers' reads.
class UrlQueue {
 public:
  int Count() const { return static_cast<int>(entries_.size()); }
  const std::string& AtAge(int k) const { return entries_[k]; }
  const std::string& AtDisplay(int row) const { return entries_[entries_.size() - 1 - row]; }
  // Every entry in display order, newest first.
  Lines DisplayOrder() const;

  // Whether an entry equals url, ignoring ASCII case; constant time on average.
  bool Holds(std::string_view url) const;

  // Inserts at the top of the display: the newest entry.
  void AddNewest(std::string url);
  // Appends at the bottom of the display: the new oldest entry.
  void AddOldest(std::string url);
  void Clear();

  void SetObserver(UrlQueueObserver* observer) { observer_ = observer; }

 private:
  void Index(const std::string& url);

  std::deque<std::string> entries_;                 // by age, oldest first
  std::unordered_map<std::string, int> lowerCount_;  // lower-cased entry -> occurrences
  UrlQueueObserver* observer_ = nullptr;
};

// The seen-address list: addresses already reported, newest first.
class SeenList {
 public:
  int Count() const { return static_cast<int>(entries_.size()); }
  // The entry at index i, 0 being the newest.
  const std::string& At(int i) const { return entries_[entries_.size() - 1 - i]; }
  bool Holds(std::string_view address) const;
  void AddNewest(std::string address);
  void Clear();

 private:
  std::deque<std::string> entries_;  // oldest first
  std::unordered_map<std::string, int> lowerCount_;
};

}  // namespace marvessa
