#include "base/utext.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <limits>
#include <map>
#include <stdexcept>
#include <utility>

#include "base/uchunk.h"

namespace marvessa {

std::string TrimLeft(std::string_view s) {
  std::size_t b = 0;
  while (b < s.size() && IsBlank(s[b])) ++b;
  return std::string(s.substr(b));
}

std::string Trim(std::string_view s) { return std::string(TrimView(s)); }

bool HasControlByte(std::string_view s) {
  return std::any_of(s.begin(), s.end(), [](char c) {
    const auto b = static_cast<unsigned char>(c);
    return b < 32 || b == 127;
  });
}

bool IsBlankText(std::string_view s) {
  for (unsigned char c : s)
    if (!IsBlank(c)) return false;
  return true;
}

std::string LowerAscii(std::string_view s) {
  using namespace chunk;
  std::string out(s);
  char* const p = out.data();
  std::size_t i = 0;
  for (; i + kSize <= out.size(); i += kSize) Store(p + i, Lower(Load(p + i)));
  for (; i < out.size(); ++i) p[i] = LowerAscii(p[i]);
  return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  using namespace chunk;
  if (a.size() != b.size()) return false;
  // Chunks equal as they stand, as most are where texts are looked up by each other, are not
  // lowered.
  const auto differAt = [&](std::size_t i) {
    const Chunk x = Load(a.data() + i), y = Load(b.data() + i);
    return Hits(~Equal(x, y)).Any() && Hits(~Equal(Lower(x), Lower(y))).Any();
  };
  if (a.size() >= kSize) {  // the last chunk ends with the texts, overlapping the one before
    for (std::size_t i = 0; i + kSize < a.size(); i += kSize)
      if (differAt(i)) return false;
    return !differAt(a.size() - kSize);
  }
  for (std::size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

bool StartsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

bool Contains(std::string_view s, std::string_view part) { return s.find(part) != std::string_view::npos; }

std::size_t FindNoCase(std::string_view hay, std::string_view needle, std::size_t from) {
  using namespace chunk;
  const std::size_t k = needle.size();
  if (k == 0 || hay.size() < k || from > hay.size() - k) return std::string_view::npos;
  // Whole chunks of candidate starts: those whose first and last byte match the needle's (a
  // byte matches a letter when setting its 0x20 bit gives the lower-case letter) are compared.
  const auto fold = [](char c) { return Splat(LowerAscii(c) >= 'a' && LowerAscii(c) <= 'z' ? 0x20 : 0); };
  const Chunk firstFold = fold(needle.front()), firstWant = Splat(LowerAscii(needle.front()));
  const Chunk lastFold = fold(needle.back()), lastWant = Splat(LowerAscii(needle.back()));
  const char* const p = hay.data();
  std::size_t i = from;
  for (; i + k - 1 + kSize <= hay.size(); i += kSize) {
    for (Hits hits(Equal(Load(p + i) | firstFold, firstWant) & Equal(Load(p + i + k - 1) | lastFold, lastWant));
         hits.Any(); hits.DropFirst())
      if (EqualsNoCase(hay.substr(i + hits.First(), k), needle)) return i + hits.First();
  }
  const char first = LowerAscii(needle.front());
  for (; i + k <= hay.size(); ++i)
    if (LowerAscii(hay[i]) == first && EqualsNoCase(hay.substr(i, k), needle)) return i;
  return std::string_view::npos;
}

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  const char l = LowerAscii(c);
  return l >= 'a' && l <= 'f' ? l - 'a' + 10 : -1;
}

std::size_t Pos(std::string_view part, std::string_view s) {
  if (part.empty()) return 0;
  const std::size_t p = s.find(part);
  return p == std::string_view::npos ? 0 : p + 1;
}

void ReplaceAll(std::string_view find, std::string_view repl, std::string& text) {
  if (find.empty()) return;
  std::size_t p = text.find(find);
  while (p != std::string::npos) {
    text.replace(p, find.size(), repl);
    // repl holds no find, so the next occurrence cannot start inside it.
    p = text.find(find, p > find.size() ? p - find.size() + 1 : 0);
  }
}

void RemoveChars(std::string& text, std::string_view chars) {
  // A table, not a search of chars for every byte: pages run through here whole.
  bool removed[256] = {};
  for (unsigned char c : chars) removed[c] = true;
  std::erase_if(text, [&removed](char c) { return removed[static_cast<unsigned char>(c)]; });
}

std::optional<int> ParseDecimal(std::string_view s) {
  if (!s.empty() && s[0] == '+') s.remove_prefix(1);
  if (s.empty() || s[0] == '+') return std::nullopt;
  int value = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
  return value;
}

std::optional<int> ParseInt(std::string_view s) {
  if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    std::string_view digits = s.substr(2);
    if (digits[0] == '-' || digits[0] == '+') return std::nullopt;
    unsigned int value = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (ec != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return static_cast<int>(value);
  }
  return ParseDecimal(s);
}

std::string IntToText(long long v) { return std::to_string(v); }

Lines SplitLines(std::string_view text) {
  Lines lines;
  ForEachLine(text, [&lines](std::string_view line) {
    lines.emplace_back(line);
    return true;
  });
  return lines;
}

std::string JoinLinesCrLf(const Lines& lines) {
  std::size_t size = 0;
  for (const auto& l : lines) size += l.size() + 2;
  std::string out;
  out.reserve(size);
  for (const auto& l : lines) {
    out += l;
    out += "\r\n";
  }
  return out;
}

int IndexOfLineNoCase(const Lines& lines, std::string_view marker, int from) {
  for (std::size_t i = from < 0 ? 0 : from; i < lines.size(); ++i)
    if (EqualsNoCase(lines[i], marker)) return static_cast<int>(i);
  return -1;
}

int IndexOfLineNoCase(std::string_view text, std::string_view marker, int from) {
  int index = 0;
  int found = -1;
  ForEachLine(text, [&](std::string_view line) {
    if (index >= from && EqualsNoCase(line, marker)) found = index;
    ++index;
    return found < 0;
  });
  return found;
}

namespace {

// Opening a converter costs more than converting a short text, and exports convert every field
// of every row: each thread keeps the converters it has opened, reset before every use.
iconv_t OpenConverter(const char* to, const char* from) {
  struct Converters {
    std::map<std::pair<std::string, std::string>, iconv_t> open;
    ~Converters() {
      for (const auto& [names, cd] : open) iconv_close(cd);
    }
  };
  thread_local Converters converters;
  auto [it, added] = converters.open.try_emplace({to, from}, reinterpret_cast<iconv_t>(-1));
  if (added) it->second = iconv_open(to, from);
  if (it->second == reinterpret_cast<iconv_t>(-1)) {
    converters.open.erase(it);
    throw std::runtime_error(std::string("iconv: ") + from + " to " + to);
  }
  iconv(it->second, nullptr, nullptr, nullptr, nullptr);
  return it->second;
}

}  // namespace

std::string ConvertText(std::string_view in, const char* to, const char* from) {
  iconv_t cd = OpenConverter(to, from);
  std::string out(in.size() * 2 + 16, '\0');
  char* src = const_cast<char*>(in.data());
  std::size_t srcLeft = in.size();
  std::size_t done = 0;
  while (srcLeft > 0) {
    char* dst = out.data() + done;
    std::size_t dstLeft = out.size() - done;
    const std::size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    done = out.size() - dstLeft;
    if (r != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) {
      out.resize(out.size() * 2);
    } else {  // EILSEQ or EINVAL: skip the undecodable byte
      ++src;
      --srcLeft;
    }
  }
  out.resize(done);
  return out;
}

std::string GbkToUtf8(std::string_view gbk) { return ConvertText(gbk, "UTF-8", "GB18030"); }
std::string Utf8ToGbk(std::string_view utf8) { return ConvertText(utf8, "GB18030", "UTF-8"); }

}  // namespace marvessa
