// INI files in the format of the platform's profile functions: "[section]" lines and
// "key=value" lines, names compared without regard to ASCII case.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/ufileio.h"
#include "base/utext.h"

namespace marvessa {

class IniFile {
 public:
  // Longest value handed back, in bytes, as a 2,048-byte profile buffer allows.
  static constexpr std::size_t kMaxValue = 2047;

  IniFile() = default;
  explicit IniFile(std::string_view text);
  // A missing or unreadable file reads as empty.
  static IniFile Load(const std::string& path);

  // The value with surrounding blanks and one pair of surrounding quotes removed.
  std::optional<std::string> Read(std::string_view section, std::string_view key) const;
  // Replaces the key's line in place, or adds it at the end of the section (the section at the
  // end of the file). Line breaks in the value become blanks so the file keeps its shape.
  void Write(std::string_view section, std::string_view key, std::string_view value);

  std::string Text() const { return JoinLinesCrLf(lines_); }
  // Raises FileError when the file cannot be written; the old file then stays.
  void Save(const std::string& path, NewFileMode mode = NewFileMode::Shared) const;

 private:
  struct Range {
    int header = -1;  // index of the "[section]" line, -1 when missing
    int end = 0;      // one past the section's last line
  };
  Range FindSection(std::string_view section) const;
  int FindKey(const Range& range, std::string_view key) const;

  Lines lines_;
};

}  // namespace marvessa
