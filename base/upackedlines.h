// A list of texts stored end to end in a few large blocks.
#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <string_view>
#include <vector>

#include "base/utext.h"

namespace marvessa {

// For lists of many short texts (pending URLs, their titles, seen addresses): an entry costs its
// bytes plus about ten, where a std::string costs 32 and a heap block of its own, and an empty
// entry costs eight. It grows at its end; entries never move, so a view of one stays valid
// until clear(). Named like the standard containers, as it stands where a Lines stood.
class PackedLines {
 public:
  std::size_t size() const { return records_.size(); }
  bool empty() const { return records_.empty(); }
  std::string_view operator[](std::size_t i) const { return Text(records_[i]); }
  std::string_view back() const { return Text(records_.back()); }

  void push_back(std::string_view text) { records_.push_back(Store(text)); }
  void emplace_back() { records_.push_back(nullptr); }
  void clear();

  Lines ToLines() const;
  friend bool operator==(const PackedLines& packed, const Lines& lines);

 private:
  // A record is the text's length in 7-bit groups, low first, then its bytes; an empty text has
  // no record (null).
  static std::string_view Text(const char* record);
  const char* Store(std::string_view text);

  std::deque<const char*> records_;
  std::vector<std::unique_ptr<char[]>> blocks_;
  char* free_ = nullptr;  // the unused end of the block being filled
  std::size_t room_ = 0;
  std::size_t stored_ = 0;  // bytes in blocks, which sizes the next one
};

}  // namespace marvessa
