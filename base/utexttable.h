// A table of values found by short texts (names, domains, addresses), for look-ups made for
// every candidate on every page: open addressing over one buffer of texts, hashed eight bytes at
// a time inline, so that a look-up allocates nothing and calls no library hash.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace marvessa {

template <typename Value>
class TextTable {
 public:
  // The value of text, or nullptr when the table holds none.
  const Value* Find(std::string_view text) const {
    if (slots_.empty()) return nullptr;
    const std::size_t i = SlotOf(text, Hash(text));
    return slots_[i].used ? &slots_[i].value : nullptr;
  }

  // The value of text, made by make() when the table holds none. It stays valid until the next
  // call that adds a text.
  template <typename Make>
  Value& Entry(std::string_view text, const Make& make) {
    if ((count_ + 1) * 2 > slots_.size()) Grow();
    const std::uint32_t hash = Hash(text);
    const std::size_t i = SlotOf(text, hash);
    Slot& slot = slots_[i];
    if (!slot.used) {
      slot = {static_cast<std::uint32_t>(texts_.size()), hash, static_cast<std::uint32_t>(text.size()), true, make()};
      texts_.append(text);
      ++count_;
    }
    return slot.value;
  }

  std::size_t size() const { return count_; }
  void Clear() { *this = TextTable(); }

 private:
  // Small, so that the table of a long page stays in the processor's caches as long as it can.
  // Texts are short and few: their buffer stays far below 4 GiB.
  struct Slot {
    std::uint32_t offset = 0;  // of the text in texts_
    std::uint32_t hash = 0;
    std::uint32_t length = 0;
    bool used = false;
    Value value{};
  };

  static std::uint32_t Hash(std::string_view text) {
    std::uint64_t hash = 0x9E3779B97F4A7C15ULL ^ text.size();
    const auto mix = [&hash](std::uint64_t word) {
      hash = (hash ^ word) * 0xFF51AFD7ED558CCDULL;
      hash ^= hash >> 32;
    };
    const auto load = [&text](std::size_t at, std::size_t bytes) {
      std::uint64_t word = 0;
      std::memcpy(&word, text.data() + at, bytes);
      return word;
    };
    if (text.size() < 8) {
      // Two overlapping reads of fixed size, in place of a copy of variable length.
      if (text.size() >= 4) mix(load(0, 4) | load(text.size() - 4, 4) << 32);
      else if (!text.empty()) mix(static_cast<unsigned char>(text[0]) | static_cast<unsigned char>(text[text.size() / 2]) << 8 |
                                  static_cast<std::uint64_t>(static_cast<unsigned char>(text.back())) << 16);
      return static_cast<std::uint32_t>(hash);
    }
    std::size_t i = 0;
    for (; i + 8 < text.size(); i += 8) mix(load(i, 8));
    // The last word ends with the text, overlapping the one before.
    mix(load(text.size() - 8, 8));
    return static_cast<std::uint32_t>(hash);
  }

  std::string_view Text(const Slot& slot) const { return std::string_view(texts_).substr(slot.offset, slot.length); }

  // The slot holding text, or the free slot where it would go.
  std::size_t SlotOf(std::string_view text, std::uint32_t hash) const {
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = hash & mask;
    while (slots_[i].used && (slots_[i].hash != hash || Text(slots_[i]) != text)) i = (i + 1) & mask;
    return i;
  }

  void Grow() {
    std::vector<Slot> old(std::max<std::size_t>(slots_.size() * 2, 256));
    old.swap(slots_);
    for (const Slot& slot : old) {
      if (!slot.used) continue;
      std::size_t i = slot.hash & (slots_.size() - 1);
      while (slots_[i].used) i = (i + 1) & (slots_.size() - 1);
      slots_[i] = slot;
    }
  }

  std::vector<Slot> slots_;  // a power of two of them, at most half used
  std::size_t count_ = 0;
  std::string texts_;
};

}  // namespace marvessa
