#include "search/uurlqueue.h"

#include <algorithm>
#include <bit>
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

std::uint64_t FoldedLines::FoldedHash(std::string_view text) {
  std::uint64_t hash = 14695981039346656037ULL;  // FNV-1a over the folded bytes
  for (char c : text) hash = (hash ^ static_cast<unsigned char>(LowerAscii(c))) * 1099511628211ULL;
  // A multiplicative mix, whose top bits (the first slot) depend on every bit of the hash.
  return hash * 0x9E3779B97F4A7C15ULL;
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
