#include "base/upackedlines.h"

#include <algorithm>
#include <cstring>

namespace marvessa {

namespace {

// Blocks grow with the list, so that a short list takes little and a long one few blocks.
constexpr std::size_t kFirstBlock = 4 << 10;
constexpr std::size_t kLargestBlock = 1 << 20;

}  // namespace

void PackedLines::clear() {
  records_.clear();
  blocks_.clear();
  free_ = nullptr;
  room_ = 0;
  stored_ = 0;
}

Lines PackedLines::ToLines() const {
  Lines lines;
  lines.reserve(size());
  for (const char* record : records_) lines.emplace_back(Text(record));
  return lines;
}

bool operator==(const PackedLines& packed, const Lines& lines) {
  return packed.size() == lines.size() &&
         std::equal(lines.begin(), lines.end(), packed.records_.begin(),
                    [](const std::string& line, const char* record) { return PackedLines::Text(record) == line; });
}

std::string_view PackedLines::Text(const char* record) {
  if (!record) return {};
  const auto* byte = reinterpret_cast<const unsigned char*>(record);
  std::size_t size = 0;
  for (int shift = 0;; shift += 7) {
    size |= static_cast<std::size_t>(*byte & 0x7f) << shift;
    if (!(*byte++ & 0x80)) break;
  }
  return {reinterpret_cast<const char*>(byte), size};
}

const char* PackedLines::Store(std::string_view text) {
  if (text.empty()) return nullptr;
  unsigned char head[10];
  std::size_t headSize = 0;
  for (std::size_t n = text.size();; n >>= 7) {
    head[headSize++] = static_cast<unsigned char>((n & 0x7f) | (n > 0x7f ? 0x80 : 0));
    if (n <= 0x7f) break;
  }
  const std::size_t need = headSize + text.size();
  char* record = free_;
  if (need <= room_) {
    free_ += need;
    room_ -= need;
  } else {
    // A text longer than a block gets one of its own; the fuller of the two blocks is left.
    const std::size_t size = std::max(need, std::clamp(stored_, kFirstBlock, kLargestBlock));
    blocks_.push_back(std::make_unique_for_overwrite<char[]>(size));
    stored_ += size;
    record = blocks_.back().get();
    if (size - need > room_) {
      free_ = record + need;
      room_ = size - need;
    }
  }
  std::memcpy(record, head, headSize);
  std::memcpy(record + headSize, text.data(), text.size());
  return record;
}

}  // namespace marvessa
