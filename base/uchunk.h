// Sixteen bytes at a time, with the vector extensions of GCC and Clang (SSE2 on x86-64, NEON on
// ARM): the scans that read whole pages (lower-casing, marker searches, the address decoder)
// test a chunk at once and look at single bytes only where a chunk holds something.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace marvessa::chunk {

static_assert(std::endian::native == std::endian::little, "Hits reads the first byte as the lowest");

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

// The 0xFF bytes of a comparison's result as two 64-bit lanes, low bytes first.
struct Hits {
  std::uint64_t lane[2];
  explicit Hits(Chunk c) { std::memcpy(lane, &c, kSize); }
  bool Any() const { return (lane[0] | lane[1]) != 0; }
  // The offset of the first hit, which Any() must have found.
  std::size_t First() const {
    return lane[0] ? static_cast<std::size_t>(__builtin_ctzll(lane[0])) / 8
                   : 8 + static_cast<std::size_t>(__builtin_ctzll(lane[1])) / 8;
  }
  void DropFirst() {
    std::uint64_t& l = lane[0] ? lane[0] : lane[1];
    l &= ~(0xFFull << (__builtin_ctzll(l) & ~7u));
  }
};

}  // namespace marvessa::chunk
