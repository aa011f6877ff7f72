#include "base/upath.h"

#include <algorithm>
#include <filesystem>

#include "base/utext.h"

namespace marvessa {

namespace {

constexpr std::string_view kUriPrefix = "file://";

// True when every character of the GB18030 text is ASCII or a GBK double-byte character: the
// four-byte sequences (second byte a digit) hold what GBK lacks.
bool IsGbkOnly(std::string_view gb18030) {
  for (std::size_t i = 0; i < gb18030.size(); ++i) {
    if (!IsGbkLeadByte(gb18030[i])) continue;
    if (i + 1 >= gb18030.size()) return false;
    const auto trail = static_cast<unsigned char>(gb18030[i + 1]);
    if (trail >= '0' && trail <= '9') return false;
    ++i;
  }
  return true;
}

// What a profile-string value cannot keep at its ends: blanks, and one pair of quotes.
bool HasFragileEnds(std::string_view s) {
  if (s.empty()) return false;
  if (IsBlank(s.front()) || IsBlank(s.back())) return true;
  return s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front();
}

// Left as they are in the URI: unreserved characters, sub-delimiters, ":", "@" and "/".
bool IsUriPathChar(unsigned char c) {
  if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
  return std::string_view("-._~!$&'()*+,;=:@/").find(static_cast<char>(c)) != std::string_view::npos;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string PercentEncoded(std::string_view path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : path) {
    const auto b = static_cast<unsigned char>(c);
    if (IsUriPathChar(b)) {
      out += c;
    } else {
      out += '%';
      out += kHex[b >> 4];
      out += kHex[b & 15];
    }
  }
  return out;
}

std::string PercentDecoded(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
      out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace

std::string PathForDisplay(std::string_view path) { return Utf8ToGbk(path); }

std::string FileNameFromText(std::string_view gbk) {
  std::string name = GbkToUtf8(gbk);
  std::replace(name.begin(), name.end(), '/', '_');
  return name;
}

std::string_view FileNamePart(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string FolderOf(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::string AbsolutePath(const std::string& path) {
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  return ec ? path : absolute.lexically_normal().string();
}

std::string StoredPathText(std::string_view path) {
  const std::string gbk = Utf8ToGbk(path);
  const bool plain = GbkToUtf8(gbk) == path && IsGbkOnly(gbk) && !HasControlByte(path) && !HasFragileEnds(path) &&
                     !StartsWith(path, kUriPrefix);
  return plain ? gbk : std::string(kUriPrefix) + PercentEncoded(path);
}

std::string StoredPathFrom(std::string_view value) {
  if (StartsWith(value, kUriPrefix)) return PercentDecoded(value.substr(kUriPrefix.size()));
  return GbkToUtf8(value);
}

}  // namespace marvessa
