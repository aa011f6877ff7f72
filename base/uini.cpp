#include "base/uini.h"

#include "base/ufileio.h"

namespace marvessa {

namespace {

std::optional<std::string> SectionName(std::string_view line) {
  std::string t = Trim(line);
  if (t.size() < 2 || t.front() != '[') return std::nullopt;
  const std::size_t close = t.find(']');
  if (close == std::string::npos) return std::nullopt;
  return Trim(std::string_view(t).substr(1, close - 1));
}

std::string Unquote(std::string v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    v = v.substr(1, v.size() - 2);
  return v;
}

}  // namespace

IniFile::IniFile(std::string_view text) : lines_(SplitLines(text)) {}

IniFile IniFile::Load(const std::string& path) {
  auto bytes = ReadFileBytes(path);
  return IniFile(bytes ? *bytes : std::string());
}

IniFile::Range IniFile::FindSection(std::string_view section) const {
  Range r;
  const int n = static_cast<int>(lines_.size());
  for (int i = 0; i < n; ++i) {
    auto name = SectionName(lines_[i]);
    if (!name) continue;
    if (r.header >= 0) {
      r.end = i;
      return r;
    }
    if (EqualsNoCase(*name, section)) r.header = i;
  }
  r.end = n;
  return r;
}

int IniFile::FindKey(const Range& range, std::string_view key) const {
  if (range.header < 0) return -1;
  for (int i = range.header + 1; i < range.end; ++i) {
    const std::string& line = lines_[i];
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string t = TrimLeft(line);
    if (!t.empty() && t[0] == ';') continue;
    if (EqualsNoCase(Trim(std::string_view(line).substr(0, eq)), key)) return i;
  }
  return -1;
}

std::optional<std::string> IniFile::Read(std::string_view section, std::string_view key) const {
  const int i = FindKey(FindSection(section), key);
  if (i < 0) return std::nullopt;
  const std::string& line = lines_[i];
  std::string value = Unquote(Trim(std::string_view(line).substr(line.find('=') + 1)));
  if (value.size() > kMaxValue) value.resize(kMaxValue);
  return value;
}

void IniFile::Write(std::string_view section, std::string_view key, std::string_view value) {
  std::string line = std::string(key) + "=" + std::string(value);
  for (char& c : line)
    if (c == '\r' || c == '\n') c = ' ';
  Range r = FindSection(section);
  if (r.header < 0) {
    lines_.push_back("[" + std::string(section) + "]");
    lines_.push_back(std::move(line));
    return;
  }
  if (const int i = FindKey(r, key); i >= 0) {
    lines_[i] = std::move(line);
    return;
  }
  int at = r.end;
  while (at > r.header + 1 && IsBlankText(lines_[at - 1])) --at;
  lines_.insert(lines_.begin() + at, std::move(line));
}

void IniFile::Save(const std::string& path, NewFileMode mode) const { WriteFileAtomic(path, Text(), mode); }

}  // namespace marvessa
