#include "base/ufoldedindex.h"

#include <cstring>

namespace marvessa {

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
std::uint64_t FoldedIndex::Hash(std::string_view text) {
  std::uint64_t hash = 14695981039346656037ULL ^ text.size();
  std::size_t i = 0;
  for (std::uint64_t word; i + 8 <= text.size(); i += 8) {
    std::memcpy(&word, text.data() + i, 8);
    hash = Mixed(hash, FoldedWord(word));
  }
  std::uint64_t rest = 0;
  // An empty view may have no data at all, which memcpy must not be handed.
  if (i < text.size()) std::memcpy(&rest, text.data() + i, text.size() - i);
  // A multiplicative mix, whose top bits (the first slot) depend on every bit of the hash.
  return Mixed(hash, FoldedWord(rest)) * 0x9E3779B97F4A7C15ULL;
}

}  // namespace marvessa
