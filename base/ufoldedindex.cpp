#include "base/ufoldedindex.h"

#include <cstring>

#include "base/uchunk.h"

namespace marvessa {

namespace {

// The hash mixed with the sixteen bytes of a chunk: one 64 x 64 -> 128-bit multiplication, whose
// halves folded together depend on every bit of both factors.
std::uint64_t MixedChunk(std::uint64_t hash, chunk::Chunk c) {
  std::uint64_t words[2];
  std::memcpy(words, &c, chunk::kSize);
  const unsigned __int128 product =
      static_cast<unsigned __int128>(words[0] ^ hash ^ 0xA0761D6478BD642FULL) * (words[1] ^ 0xE7037ED1A0B428DBULL);
  return static_cast<std::uint64_t>(product) ^ static_cast<std::uint64_t>(product >> 64);
}

// A text shorter than a chunk as one, zero bytes after it, put together from two overlapping
// loads of eight, four or one bytes, so that no byte beyond the text is read.
chunk::Chunk ShortChunk(std::string_view text) {
  using Words = std::uint64_t __attribute__((vector_size(16)));
  const std::size_t n = text.size();
  const char* const p = text.data();
  std::uint64_t low = 0, high = 0;
  if (n >= 8) {
    std::memcpy(&low, p, 8);
    std::memcpy(&high, p + n - 8, 8);
    high = n > 8 ? high >> (16 - n) * 8 : 0;  // the bytes past the first eight only
  } else if (n >= 4) {
    std::uint32_t first, last;
    std::memcpy(&first, p, 4);
    std::memcpy(&last, p + n - 4, 4);
    low = first | static_cast<std::uint64_t>(last) << (n - 4) * 8;
  } else {
    for (std::size_t i = 0; i < n; ++i) low |= static_cast<std::uint64_t>(static_cast<unsigned char>(p[i])) << i * 8;
  }
  return reinterpret_cast<chunk::Chunk>(Words{low, high});
}

}  // namespace

// Sixteen bytes at a time, folded as EqualsNoCase folds them: URLs are hashed for every link of
// every page. A text of a chunk or more ends with a chunk that overlaps the one before.
std::uint64_t FoldedIndex::Hash(std::string_view text) {
  using namespace chunk;
  std::uint64_t hash = 14695981039346656037ULL ^ text.size();
  if (text.size() < kSize) {
    hash = MixedChunk(hash, Lower(ShortChunk(text)));
  } else {
    for (std::size_t i = 0; i + kSize < text.size(); i += kSize) hash = MixedChunk(hash, Lower(Load(text.data() + i)));
    hash = MixedChunk(hash, Lower(Load(text.data() + text.size() - kSize)));
  }
  // A multiplicative mix, whose top bits (the first slot) depend on every bit of the hash.
  return hash * 0x9E3779B97F4A7C15ULL;
}

}  // namespace marvessa
