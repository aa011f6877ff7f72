#include "net/ucharset.h"

#include <array>
#include <utility>

#include "base/utext.h"

namespace marvessa {

namespace {

constexpr const char* kCoreCharset = "GB18030";

// The charset named after the first "charset=" in lower-cased text, without quotes.
std::string_view DeclaredCharset(std::string_view lower) {
  for (std::size_t p = lower.find("charset"); p != std::string_view::npos; p = lower.find("charset", p + 1)) {
    std::string_view rest = lower.substr(p + 7);
    while (!rest.empty() && IsBlank(rest.front())) rest.remove_prefix(1);
    if (rest.empty() || rest.front() != '=') continue;
    rest.remove_prefix(1);
    while (!rest.empty() && (IsBlank(rest.front()) || rest.front() == '"' || rest.front() == '\'')) rest.remove_prefix(1);
    return rest.substr(0, rest.find_first_of(" \t\"';,>/"));
  }
  return {};
}

// A known charset named in the <meta> tags at the top of the page.
std::string MetaCharset(std::string_view page) {
  const std::string head = LowerAscii(page.substr(0, 1024));
  const std::string_view view = head;
  for (std::size_t p = view.find("<meta"); p != std::string_view::npos; p = view.find("<meta", p + 1)) {
    const std::string_view tag = view.substr(p, view.find('>', p) - p);
    if (std::string name = CharsetName(DeclaredCharset(tag)); !name.empty()) return name;
  }
  return {};
}

bool IsCoreFamily(const std::string& charset) { return charset == "GB18030" || charset == "GBK"; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string CharsetName(std::string_view label) {
  static const std::pair<const char*, const char*> kNames[] = {
      {"utf-8", "UTF-8"},         {"utf8", "UTF-8"},          {"gb2312", "GB18030"},     {"gbk", "GB18030"},
      {"gb18030", "GB18030"},     {"x-gbk", "GB18030"},       {"cp936", "GB18030"},      {"big5", "BIG5-HKSCS"},
      {"big5-hkscs", "BIG5-HKSCS"}, {"shift_jis", "CP932"},   {"shift-jis", "CP932"},    {"sjis", "CP932"},
      {"x-sjis", "CP932"},        {"windows-31j", "CP932"},   {"euc-jp", "EUC-JP"},      {"euc-kr", "CP949"},
      {"ks_c_5601-1987", "CP949"}, {"iso-2022-jp", "ISO-2022-JP"}, {"koi8-r", "KOI8-R"}, {"koi8-u", "KOI8-U"},
      {"iso-8859-1", "CP1252"},   {"latin1", "CP1252"},       {"us-ascii", "CP1252"},    {"ascii", "CP1252"},
  };
  const std::string lower = LowerAscii(Trim(label));
  if (lower.empty()) return {};
  for (const auto& [from, to] : kNames)
    if (lower == from) return to;
  // windows-125x, cp125x and iso-8859-x as iconv names them.
  for (const char* prefix : {"windows-", "cp", "iso-8859-", "iso8859-"}) {
    if (!StartsWith(lower, prefix)) continue;
    const std::string number = lower.substr(std::string_view(prefix).size());
    if (!ParseDecimal(number)) return {};
    return std::string_view(prefix).starts_with("iso") ? "ISO-8859-" + number : "CP" + number;
  }
  return {};
}

std::string PageCharset(std::string_view contentType, std::string_view page) {
  if (std::string name = CharsetName(DeclaredCharset(LowerAscii(contentType))); !name.empty()) return name;
  if (std::string name = MetaCharset(page); !name.empty()) return name;
  return IsValidUtf8(page) ? "UTF-8" : kCoreCharset;
}

bool IsValidUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const unsigned char c = s[i];
    std::size_t extra;
    if (c < 0x80) extra = 0;
    else if (c >= 0xC2 && c <= 0xDF) extra = 1;
    else if (c >= 0xE0 && c <= 0xEF) extra = 2;
    else if (c >= 0xF0 && c <= 0xF4) extra = 3;
    else return false;
    if (i + extra >= s.size()) return false;
    for (std::size_t k = 1; k <= extra; ++k)
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    i += extra + 1;
  }
  return true;
}

std::string ToCoreText(std::string_view text, const std::string& charset) {
  if (IsCoreFamily(charset) || charset.empty()) return std::string(text);
  try {
    return ConvertText(text, kCoreCharset, charset.c_str());
  } catch (const std::exception&) {
    return std::string(text);
  }
}

std::string FromCoreText(std::string_view text, const std::string& charset) {
  if (IsCoreFamily(charset) || charset.empty()) return std::string(text);
  try {
    return ConvertText(text, charset.c_str(), kCoreCharset);
  } catch (const std::exception&) {
    return std::string(text);
  }
}

void AppendUtf8(std::string& out, long cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

namespace {

// Every byte keep refuses as %XX, a blank as blank.
template <typename Keep>
std::string EncodeBytes(std::string_view bytes, std::string_view blank, Keep keep) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : bytes) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (keep(u)) {
      out += c;
    } else if (u == ' ') {
      out += blank;
    } else {
      out += '%';
      out += kHex[u >> 4];
      out += kHex[u & 15];
    }
  }
  return out;
}

}  // namespace

std::string PercentEncode(std::string_view bytes, std::string_view blank) {
  return EncodeBytes(bytes, blank, [](unsigned char u) {
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') || u == '-' || u == '.' ||
           u == '_' || u == '~';
  });
}

std::string PercentEncodeUnprintable(std::string_view bytes) {
  return EncodeBytes(bytes, "%20", [](unsigned char u) { return u > 32 && u < 127; });
}

std::string PercentDecode(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      const int high = HexValue(text[i + 1]);
      const int low = HexValue(text[i + 2]);
      if (high >= 0 && low >= 0) {
        out += static_cast<char>(high * 16 + low);
        i += 2;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

}  // namespace marvessa
