// A pending-URL list: shown newest on top, handed out to workers oldest first.
#pragma once

#include <cstdint>
#include <string_view>

#include "base/ufoldedindex.h"
#include "base/upackedlines.h"
#include "base/utext.h"

namespace marvessa {

// A list whose entries are found by their text with ASCII letters folded, in constant time on
// average.
class FoldedLines {
 public:
  std::size_t size() const { return entries_.size(); }
  std::string_view operator[](std::size_t i) const { return entries_[i]; }
  bool Holds(std::string_view text) const { return index_.Holds(text, TextOf{this}); }
  void PushBack(std::string_view text);
  void Clear();

 private:
  // The index refers to an entry by its position.
  struct TextOf {
    const FoldedLines* lines;
    std::string_view operator()(std::uint32_t position) const { return lines->entries_[position]; }
  };

  PackedLines entries_;
  FoldedIndex index_;
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
  std::string_view AtAge(int k) const { return entries_[k]; }
  std::string_view AtDisplay(int row) const { return entries_[entries_.size() - 1 - row]; }
  // Every entry in display order, newest first.
  Lines DisplayOrder() const;

  // Whether an entry equals url, ignoring ASCII case; constant time on average.
  bool Holds(std::string_view url) const;

  // Inserts at the top of the display: the newest entry.
  void AddNewest(std::string_view url);
  void Clear();

  void SetObserver(UrlQueueObserver* observer) { observer_ = observer; }

 private:
  FoldedLines entries_;  // by age, oldest first
  UrlQueueObserver* observer_ = nullptr;
};

// The seen-address list: addresses already reported, newest first.
class SeenList {
 public:
  int Count() const { return static_cast<int>(entries_.size()); }
  // The entry at index i, 0 being the newest.
  std::string_view At(int i) const { return entries_[entries_.size() - 1 - i]; }
  bool Holds(std::string_view address) const;
  void AddNewest(std::string_view address);
  void Clear();

 private:
  FoldedLines entries_;  // oldest first
};

}  // namespace marvessa
