// Sixteen bytes at a time, with the vector extensions of GCC and Clang (SSE2 on x86-64, NEON on
// ARM): the scans that read whole pages (lower-casing, marker searches, the address decoder)
// test a chunk at once and look at single bytes only where a chunk holds something.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace marvessa::chunk {

static_assert(std::endian::native == std::endian::little, "MaskOf reads the first byte as the lowest");

// Up to eight bytes as one number, read the way memory holds them (the first lowest): what a
// load of those bytes compares equal to.
constexpr std::uint64_t WordOf(std::string_view bytes) {
  std::uint64_t word = 0;
  for (std::size_t i = bytes.size(); i-- > 0;) word = word << 8 | static_cast<unsigned char>(bytes[i]);
  return word;
}

using Chunk = std::uint8_t __attribute__((vector_size(16)));
inline constexpr std::size_t kSize = sizeof(Chunk);

inline Chunk Load(const char* p) {
  Chunk c;
  std::memcpy(&c, p, kSize);
  return c;
}
inline void Store(char* p, Chunk c) { std::memcpy(p, &c, kSize); }
inline Chunk Splat(char c) { return Chunk{} + static_cast<std::uint8_t>(c); }
// Comparisons give 0xFF in each byte where they hold, 0 elsewhere.
inline Chunk Equal(Chunk a, Chunk b) { return reinterpret_cast<Chunk>(a == b); }
inline Chunk Below(Chunk a, Chunk b) { return reinterpret_cast<Chunk>(a < b); }
// A..Z lower-cased; every other byte as it is.
inline Chunk Lower(Chunk x) { return x + (Below(x - Splat('A'), Splat(26)) & Splat(0x20)); }

// One bit per byte of a comparison's result, the first byte lowest: on x86-64 the processor's
// byte mask, elsewhere the top bit of each byte gathered by a multiplication.
inline std::uint32_t MaskOf(Chunk c) {
#if defined(__SSE2__)
  return static_cast<std::uint32_t>(_mm_movemask_epi8(reinterpret_cast<__m128i>(c)));
#else
  std::uint64_t lane[2];
  std::memcpy(lane, &c, kSize);
  const auto gather = [](std::uint64_t l) {
    return static_cast<std::uint32_t>(((l & 0x8080808080808080ull) * 0x0002040810204081ull) >> 56);
  };
  return gather(lane[0]) | (gather(lane[1]) << 8);
#endif
}

// The 0xFF bytes of a comparison's result, taken first to last.
struct Hits {
  std::uint32_t mask;
  explicit Hits(Chunk c) : mask(MaskOf(c)) {}
  bool Any() const { return mask != 0; }
  // The offset of the first hit, which Any() must have found.
  std::size_t First() const { return static_cast<std::size_t>(__builtin_ctz(mask)); }
  void DropFirst() { mask &= mask - 1; }
};

// Whether hitsOf(chunk) finds a byte of text. The last chunk ends with the text; a text shorter
// than a chunk is read through a copy padded with zero bytes, which hitsOf must not find.
template <typename HitsOf>
bool AnyHit(std::string_view text, HitsOf hitsOf) {
  if (text.size() < kSize) {
    char piece[kSize] = {};
    if (!text.empty()) std::memcpy(piece, text.data(), text.size());
    return Hits(hitsOf(Load(piece))).Any();
  }
  for (std::size_t i = 0; i < text.size(); i += kSize)
    if (Hits(hitsOf(Load(text.data() + std::min(i, text.size() - kSize)))).Any()) return true;
  return false;
}

}  // namespace marvessa::chunk
