#include "base/ufoldedindex.h"

#include <cstring>

#include "base/uchunk.h"

namespace marvessa {

namespace {

std::uint64_t Mixed(std::uint64_t hash, std::uint64_t word) {
  hash = (hash ^ word) * 0x9E3779B97F4A7C15ULL;
  return hash ^ (hash >> 29);
}

// The hash mixed with the sixteen bytes of a chunk.
std::uint64_t MixedChunk(std::uint64_t hash, chunk::Chunk c) {
  std::uint64_t words[2];
  std::memcpy(words, &c, chunk::kSize);
  return Mixed(Mixed(hash, words[0]), words[1]);
}

}  // namespace

// Sixteen bytes at a time, folded as EqualsNoCase folds them: URLs are hashed for every link of
// every page.
std::uint64_t FoldedIndex::Hash(std::string_view text) {
  using namespace chunk;
  std::uint64_t hash = 14695981039346656037ULL ^ text.size();
  std::size_t i = 0;
  for (; i + kSize <= text.size(); i += kSize) hash = MixedChunk(hash, Lower(Load(text.data() + i)));
  char rest[kSize] = {};
  // An empty view may have no data at all, which memcpy must not be handed.
  if (i < text.size()) std::memcpy(rest, text.data() + i, text.size() - i);
  // A multiplicative mix, whose top bits (the first slot) depend on every bit of the hash.
  return MixedChunk(hash, Lower(Load(rest))) * 0x9E3779B97F4A7C15ULL;
}

}  // namespace marvessa
