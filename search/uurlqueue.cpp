#include "search/uurlqueue.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <utility>

namespace marvessa {

bool FoldedLines::Holds(std::string_view text) const {
  return !tags_.empty() && tags_[Find(text, FoldedHash(text))] != kFree;
}

void FoldedLines::PushBack(std::string_view text) {
  entries_.push_back(text);
  Index(first_ + static_cast<std::uint32_t>(entries_.size() - 1));
}

void FoldedLines::PushFront(std::string_view text) {
  entries_.push_front(text);
  Index(--first_);
}

void FoldedLines::Clear() {
  entries_.clear();
  tags_ = {};
  serials_ = {};
  first_ = 0;
  used_ = 0;
  slotBits_ = 0;
}

namespace {

// Eight bytes with A..Z lower-cased, all at once: a byte gets 0x20 where its low seven bits lie
// in A..Z and its top bit is clear.
std::uint64_t FoldedWord(std::uint64_t word) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ULL, kTops = 0x8080808080808080ULL;
  const std::uint64_t low = word & ~kTops;
  const std::uint64_t fromA = low + (0x80 - 'A') * kOnes;
  const std::uint64_t pastZ = low + (0x80 - 'Z' - 1) * kOnes;
  return word | ((fromA & ~pastZ & ~word & kTops) >> 2);
}

std::uint64_t Mixed(std::uint64_t hash, std::uint64_t word) {
  hash = (hash ^ word) * 0x9E3779B97F4A7C15ULL;
  return hash ^ (hash >> 29);
}

}  // namespace

// A word at a time: URLs are hashed for every link of every page.
std::uint64_t FoldedLines::FoldedHash(std::string_view text) {
  std::uint64_t hash = 14695981039346656037ULL ^ text.size();
  std::size_t i = 0;
  for (std::uint64_t word; i + 8 <= text.size(); i += 8) {
    std::memcpy(&word, text.data() + i, 8);
    hash = Mixed(hash, FoldedWord(word));
  }
  std::uint64_t rest = 0;
  std::memcpy(&rest, text.data() + i, text.size() - i);
  // A multiplicative mix, whose top bits (the first slot) depend on every bit of the hash.
  return Mixed(hash, FoldedWord(rest)) * 0x9E3779B97F4A7C15ULL;
}

std::size_t FoldedLines::Find(std::string_view text, std::uint64_t hash) const {
  const std::size_t mask = tags_.size() - 1;
  const std::uint8_t tag = Tag(hash);
  for (std::size_t slot = FirstSlot(hash);; slot = (slot + 1) & mask) {
    if (tags_[slot] == kFree || (tags_[slot] == tag && EqualsNoCase(entries_[serials_[slot] - first_], text)))
      return slot;
  }
}

void FoldedLines::Index(std::uint32_t serial) {
  if ((used_ + 1) * 4 > tags_.size() * 3) Grow();
  const std::string_view text = entries_[serial - first_];
  const std::uint64_t hash = FoldedHash(text);
  const std::size_t slot = Find(text, hash);
  if (tags_[slot] != kFree) return;
  tags_[slot] = Tag(hash);
  serials_[slot] = serial;
  ++used_;
}

void FoldedLines::Grow() {
  const std::size_t size = std::max<std::size_t>(16, tags_.size() * 2);
  const std::vector<std::uint8_t> oldTags = std::exchange(tags_, std::vector<std::uint8_t>(size, kFree));
  const std::vector<std::uint32_t> oldSerials = std::exchange(serials_, std::vector<std::uint32_t>(size));
  slotBits_ = std::countr_zero(size);
  for (std::size_t old = 0; old < oldTags.size(); ++old) {
    if (oldTags[old] == kFree) continue;
    const std::uint64_t hash = FoldedHash(entries_[oldSerials[old] - first_]);
    std::size_t slot = FirstSlot(hash);
    while (tags_[slot] != kFree) slot = (slot + 1) & (size - 1);
    tags_[slot] = Tag(hash);
    serials_[slot] = oldSerials[old];
  }
}

Lines UrlQueue::DisplayOrder() const {
  Lines lines;
  lines.reserve(entries_.size());
  for (int row = 0; row < Count(); ++row) lines.emplace_back(AtDisplay(row));
  return lines;
}

bool UrlQueue::Holds(std::string_view url) const { return entries_.Holds(url); }

void UrlQueue::AddNewest(std::string_view url) {
  if (observer_) observer_->RowAboutToBeInserted(0);
  entries_.PushBack(url);
  if (observer_) observer_->RowInserted();
}

void UrlQueue::AddOldest(std::string_view url) {
  if (observer_) observer_->RowAboutToBeInserted(Count());
  entries_.PushFront(url);
  if (observer_) observer_->RowInserted();
}

void UrlQueue::Clear() {
  if (observer_) observer_->AboutToBeCleared();
  entries_.Clear();
  if (observer_) observer_->Cleared();
}

bool SeenList::Holds(std::string_view address) const { return entries_.Holds(address); }

void SeenList::AddNewest(std::string_view address) { entries_.PushBack(address); }

void SeenList::Clear() { entries_.Clear(); }

}  // namespace marvessa
