// A pending-URL list: shown newest on top, handed out to workers oldest first.
#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <unordered_set>

#include "base/utext.h"

namespace marvessa {

// The entries of a list found by their text with ASCII letters folded, in constant time on
// average. It points at the entries, which must keep their places (as a deque's entries do
// while it grows at either end), instead of holding a second copy of each.
class FoldedIndex {
 public:
  bool Holds(std::string_view text) const { return entries_.contains(text); }
  void Add(const std::string& entry) { entries_.insert(&entry); }
  void Clear() { entries_.clear(); }

 private:
  static std::string_view View(std::string_view text) { return text; }
  static std::string_view View(const std::string* entry) { return *entry; }
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const;
    std::size_t operator()(const std::string* entry) const { return (*this)(View(entry)); }
  };
  struct Equal {
    using is_transparent = void;
    template <typename A, typename B>
    bool operator()(const A& a, const B& b) const {
      return EqualsNoCase(View(a), View(b));
    }
  };
  std::unordered_set<const std::string*, Hash, Equal> entries_;
};

// Told about changes of a queue's display before and after they happen, as a list view over it
// must be: in between, the view must not read the queue.
class UrlQueueObserver {
 public:
  virtual ~UrlQueueObserver() = default;
  // A row is about to be inserted at this display position (0 = top); RowInserted follows.
  virtual void RowAboutToBeInserted(int displayRow) = 0;
  virtual void RowInserted() = 0;
  virtual void AboutToBeCleared() = 0;
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
  std::deque<std::string> entries_;  // by age, oldest first
  FoldedIndex index_;
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
  FoldedIndex index_;
};

}  // namespace marvessa
