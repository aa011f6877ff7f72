// A pending-URL list: shown newest on top, handed out to workers oldest first.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "base/upackedlines.h"
#include "base/utext.h"

namespace marvessa {

// A list whose entries are found by their text with ASCII letters folded, in constant time on
// average. The index holds 32-bit entry numbers, not copies of the entries or pointers to them.
class FoldedLines {
 public:
  std::size_t size() const { return entries_.size(); }
  std::string_view operator[](std::size_t i) const { return entries_[i]; }
  bool Holds(std::string_view text) const;
  void PushBack(std::string_view text);
  void PushFront(std::string_view text);
  void Clear();

 private:
  static std::uint64_t FoldedHash(std::string_view text);
  // The slot that holds an entry equal to text, or the free slot where it would go.
  std::size_t Find(std::string_view text, std::uint64_t hash) const;
  std::size_t FirstSlot(std::uint64_t hash) const { return static_cast<std::size_t>(hash >> (64 - slotBits_)); }
  // A used slot's tag: seven bits of the hash and a set top bit, so that most entries unequal
  // to a text are passed over without reading them.
  static std::uint8_t Tag(std::uint64_t hash) { return static_cast<std::uint8_t>(0x80 | (hash & 0x7f)); }
  void Index(std::uint32_t serial);
  void Grow();

  PackedLines entries_;
  // Open addressing with linear probing. A used slot holds the serial of an entry: the entry at
  // position i has the serial first_ + i, so that adding one at the front only moves first_. An
  // entry equal to one indexed already is not indexed again.
  static constexpr std::uint8_t kFree = 0;
  std::vector<std::uint8_t> tags_;
  std::vector<std::uint32_t> serials_;
  std::uint32_t first_ = 0;
  std::size_t used_ = 0;
  int slotBits_ = 0;
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
  // Appends at the bottom of the display: the new oldest entry.
  void AddOldest(std::string_view url);
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
