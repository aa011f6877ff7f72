// An index that finds texts kept elsewhere by their text with ASCII letters folded.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "base/utext.h"

namespace marvessa {

// Each text is known by a 32-bit number; the caller's textOf(number) gives it. Finding takes
// constant time on average, and a text costs about ten bytes of index instead of a copy. A text
// equal to one indexed already is not indexed again.
class FoldedIndex {
 public:
  template <typename TextOf>
  bool Holds(std::string_view text, const TextOf& textOf) const {
    return !tags_.empty() && tags_[Find(text, Hash(text), textOf)] != kFree;
  }
  template <typename TextOf>
  void Add(std::uint32_t number, const TextOf& textOf) {
    if ((used_ + 1) * 4 > tags_.size() * 3) Grow(textOf);
    const std::string_view text = textOf(number);
    const std::uint64_t hash = Hash(text);
    const std::size_t slot = Find(text, hash, textOf);
    if (tags_[slot] != kFree) return;
    tags_[slot] = Tag(hash);
    numbers_[slot] = number;
    ++used_;
  }
  void Clear() { *this = FoldedIndex(); }

 private:
  // Over the folded bytes; its top bits (the first slot) depend on every bit of the text.
  static std::uint64_t Hash(std::string_view text);
  std::size_t FirstSlot(std::uint64_t hash) const { return static_cast<std::size_t>(hash >> (64 - slotBits_)); }
  // A used slot's tag: seven bits of the hash and a set top bit, so that most texts unequal to
  // the one looked for are passed over without reading them.
  static std::uint8_t Tag(std::uint64_t hash) { return static_cast<std::uint8_t>(0x80 | (hash & 0x7f)); }

  // The slot that holds a text equal to text, or the free slot where it would go.
  template <typename TextOf>
  std::size_t Find(std::string_view text, std::uint64_t hash, const TextOf& textOf) const {
    const std::size_t mask = tags_.size() - 1;
    const std::uint8_t tag = Tag(hash);
    for (std::size_t slot = FirstSlot(hash);; slot = (slot + 1) & mask)
      if (tags_[slot] == kFree || (tags_[slot] == tag && EqualsNoCase(textOf(numbers_[slot]), text))) return slot;
  }
  template <typename TextOf>
  void Grow(const TextOf& textOf) {
    const std::size_t size = std::max<std::size_t>(16, tags_.size() * 2);
    const std::vector<std::uint8_t> oldTags = std::exchange(tags_, std::vector<std::uint8_t>(size, kFree));
    const std::vector<std::uint32_t> oldNumbers = std::exchange(numbers_, std::vector<std::uint32_t>(size));
    slotBits_ = std::countr_zero(size);
    for (std::size_t old = 0; old < oldTags.size(); ++old) {
      if (oldTags[old] == kFree) continue;
      const std::uint64_t hash = Hash(textOf(oldNumbers[old]));
      std::size_t slot = FirstSlot(hash);
      while (tags_[slot] != kFree) slot = (slot + 1) & (size - 1);
      tags_[slot] = Tag(hash);
      numbers_[slot] = oldNumbers[old];
    }
  }

  // Open addressing with linear probing.
  static constexpr std::uint8_t kFree = 0;
  std::vector<std::uint8_t> tags_;
  std::vector<std::uint32_t> numbers_;
  std::size_t used_ = 0;
  int slotBits_ = 0;
};

}  // namespace marvessa
