#include "search/uaddressdecode.h"

#include <array>
#include <cstdint>

#include "base/uchunk.h"
#include "base/utext.h"
#include "search/uhtmlreference.h"

namespace marvessa {

namespace {

using Table = std::array<bool, 256>;

// The bytes at which decoding may have to do something: the ASCII starts of references, escapes
// and brackets, and the bytes that start a character outside ASCII that matters (MaybeSpecial
// below finds them sixteen at a time).
constexpr Table MakeSpecialBytes(PageBytes bytes) {
  Table table{};
  for (unsigned char c : std::string_view("&\\[({")) table[c] = true;
  for (int c = 0x80; c < 0x100; ++c) {
    switch (bytes) {
      case PageBytes::kUtf8: table[c] = c == 0xC2 || c == 0xE2 || c == 0xE3 || c == 0xEF; break;
      case PageBytes::kGbk:
      case PageBytes::kBig5: table[c] = c >= 0x81 && c <= 0xFE; break;
      case PageBytes::kShiftJis: table[c] = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); break;
      case PageBytes::kSingleByte: break;
    }
  }
  return table;
}

constexpr std::array<Table, 5> kSpecialBytes = {MakeSpecialBytes(PageBytes::kUtf8), MakeSpecialBytes(PageBytes::kGbk),
                                                MakeSpecialBytes(PageBytes::kBig5),
                                                MakeSpecialBytes(PageBytes::kShiftJis),
                                                MakeSpecialBytes(PageBytes::kSingleByte)};

// Stands for any character outside ASCII in the decoded copy.
constexpr char kOther = static_cast<char>(0x80);

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The ASCII character a code point shows as, ' ' for the wide spaces, 0 for the invisible
// ones, kOther for the rest.
char CodePointChar(char32_t cp) {
  if (cp < 0x80) return static_cast<char>(cp);
  if (cp == 0xA0 || cp == 0x3000 || (cp >= 0x2000 && cp <= 0x200A)) return ' ';
  if ((cp >= 0x200B && cp <= 0x200D) || cp == 0x2060 || cp == 0xFEFF || cp == 0xAD) return 0;
  if (cp >= 0xFF01 && cp <= 0xFF5E) return static_cast<char>(cp - 0xFEE0);
  return kOther;
}

// The ASCII character a double-byte character shows as (its full-width forms and the wide
// space), or 0.
char PairChar(PageBytes bytes, unsigned char lead, unsigned char trail) {
  switch (bytes) {
    case PageBytes::kGbk:
      if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) return static_cast<char>(trail - 0x80);
      return lead == 0xA1 && trail == 0xA1 ? ' ' : 0;
    case PageBytes::kBig5:
      if (lead == 0xA2 && trail == 0x49) return '@';
      if (lead != 0xA1) return 0;
      return trail == 0x40 ? ' ' : trail == 0x44 ? '.' : trail == 0x5D ? '(' : trail == 0x5E ? ')' : 0;
    case PageBytes::kShiftJis:
      if (lead == 0x82 && trail >= 0x4F && trail <= 0x58) return static_cast<char>('0' + trail - 0x4F);
      if (lead == 0x82 && trail >= 0x60 && trail <= 0x79) return static_cast<char>('A' + trail - 0x60);
      if (lead == 0x82 && trail >= 0x81 && trail <= 0x9A) return static_cast<char>('a' + trail - 0x81);
      if (lead != 0x81) return 0;
      for (const auto& [t, c] : {std::pair{0x40, ' '}, {0x44, '.'}, {0x97, '@'}, {0x69, '('}, {0x6A, ')'},
                                 {0x6D, '['}, {0x6E, ']'}, {0x6F, '{'}, {0x70, '}'}})
        if (trail == t) return c;
      return 0;
    default:
      return 0;
  }
}

// Copies the page lazily: a stretch of bytes that stays as it is goes to the output in one piece
// when the next replacement is made, so that the many special bytes that change nothing ("(" in
// scripts, most characters outside ASCII) cost only their test.
class Decoder {
 public:
  Decoder(std::string_view in, PageBytes bytes)
      : in_(in),
        bytes_(bytes),
        special_(kSpecialBytes[static_cast<int>(bytes)]),
        pairs_(bytes == PageBytes::kGbk || bytes == PageBytes::kBig5 || bytes == PageBytes::kShiftJis) {
    out_.reserve(in.size());
  }

  std::string Run() {
    const std::size_t n = in_.size();
    while (i_ < n) {
      i_ = NextSpecial(i_);
      if (i_ == n) break;
      if (!pairs_ || !SkipPairs()) Step();
    }
    out_.append(in_.substr(kept_));
    return std::move(out_);
  }

 private:
  // Passes over the double-byte characters from i_ on that stay as they are (most do), one
  // after the other as a page's text has them; false when there is none at i_.
  bool SkipPairs() {
    const auto* bytes = reinterpret_cast<const unsigned char*>(in_.data());
    const std::size_t start = i_;
    while (i_ + 1 < in_.size() && bytes[i_] >= 0x80 && special_[bytes[i_]] && bytes[i_ + 1] >= 0x80 &&
           !PairChar(bytes_, bytes[i_], bytes[i_ + 1]))
      i_ += 2;
    return i_ != start;
  }

  // The first special byte at or after i, or the end. Whole chunks without a byte that may be
  // special are passed over at once; the hits of the chunk last read are kept, since most
  // special bytes are followed by another in the same chunk.
  std::size_t NextSpecial(std::size_t i) {
    using namespace chunk;
    const char* const p = in_.data();
    if (i >= chunkAt_ && i < chunkAt_ + kStep) {
      if (const std::size_t passed = i - chunkAt_; passed > 0) hits_.mask &= ~0u << passed;
      if (const std::size_t found = SpecialHit(); found != kNone) return found;
      i = chunkAt_ + kStep;
    }
    for (; i + kStep <= in_.size(); i += kStep) {
      chunkAt_ = i;
      hits_.mask = Hits(MaybeSpecial(Load(p + i))).mask | Hits(MaybeSpecial(Load(p + i + kSize))).mask << kSize;
      if (const std::size_t found = SpecialHit(); found != kNone) return found;
    }
    chunkAt_ = kNone;
    while (i < in_.size() && !special_[static_cast<unsigned char>(p[i])]) ++i;
    return i;
  }

  // The first hit left in the chunk last read that is a special byte, or kNone.
  std::size_t SpecialHit() {
    for (; hits_.Any(); hits_.DropFirst())
      if (special_[static_cast<unsigned char>(in_[chunkAt_ + hits_.First()])]) return chunkAt_ + hits_.First();
    return kNone;
  }

  // The bytes of a chunk that may be special: every special byte, and some more in the
  // double-byte charsets. "[" and "{" differ in one bit, as do 0xE2 and 0xE3: one comparison
  // finds both.
  chunk::Chunk MaybeSpecial(chunk::Chunk x) const {
    using namespace chunk;
    const Chunk ascii = Equal(x, Splat('&')) | Equal(x, Splat('\\')) | Equal(x | Splat(0x20), Splat('{')) |
                        Equal(x, Splat('('));
    if (bytes_ == PageBytes::kUtf8)
      return ascii | Equal(x, Splat('\xC2')) | Equal(x & Splat('\xFE'), Splat('\xE2')) | Equal(x, Splat('\xEF'));
    return pairs_ ? ascii | ~Below(x, Splat('\x81')) : ascii;
  }

  // The special byte at i_ and what follows it.
  void Step() {
    const char c = in_[i_];
    const bool done = c == '&'                           ? Reference()
                      : c == '\\'                        ? Escape()
                      : (c == '[' || c == '(' || c == '{') ? Bracket(i_ + 1, c)
                                                           : NonAscii();
    if (!done) ++i_;
  }

  // The bytes from i_ up to end become shown.
  void Replace(std::size_t end, std::string_view shown) {
    out_.append(in_.substr(kept_, i_ - kept_));
    if (shown.size() == 1) out_.push_back(shown[0]);
    else out_.append(shown);
    i_ = kept_ = end;
  }

  void ReplaceWithCodePoint(std::size_t end, char32_t cp) {
    const char shown = CodePointChar(cp);
    Replace(end, shown ? std::string_view(&shown, 1) : std::string_view());
  }

  // "&#64;", "&#x40;", "&commat;"; false when there is no reference at i_.
  bool Reference() {
    std::size_t p = i_ + 1;
    if (p < in_.size() && in_[p] == '#') {
      const bool hex = p + 1 < in_.size() && LowerAscii(in_[p + 1]) == 'x';
      p += hex ? 2 : 1;
      char32_t cp = 0;
      const std::size_t start = p;
      for (; p < in_.size() && p - start < 7; ++p) {
        const int v = hex ? HexDigitValue(in_[p]) : (IsDigit(in_[p]) ? in_[p] - '0' : -1);
        if (v < 0) break;
        cp = cp * (hex ? 16 : 10) + static_cast<char32_t>(v);
      }
      if (p == start) return false;
      if (p < in_.size() && in_[p] == ';') ++p;
      ReplaceWithCodePoint(p, cp);
      return true;
    }
    const std::size_t start = p;
    while (p < in_.size() && p - start < 32 && (IsLetter(in_[p]) || (p > start && IsDigit(in_[p])))) ++p;
    if (p == start || p >= in_.size() || in_[p] != ';') return false;
    const char32_t cp = NamedReferenceCodePoint(in_.substr(start, p - start));
    if (cp != 0) {
      ReplaceWithCodePoint(p + 1, cp);
    } else {
      Replace(p + 1, std::string_view(&kOther, 1));
    }
    return true;
  }

  // "\u0040", "\u{40}", "\x40", "\n" and the other one-letter escapes, "\/"; false when there is
  // no escape at i_.
  bool Escape() {
    if (i_ + 1 >= in_.size()) return false;
    const char kind = in_[i_ + 1];
    if (kind == 'u' || kind == 'x') {
      std::size_t p = i_ + 2;
      const bool braced = kind == 'u' && p < in_.size() && in_[p] == '{';
      if (braced) ++p;
      const std::size_t digits = braced ? 6 : (kind == 'u' ? 4 : 2);
      char32_t cp = 0;
      const std::size_t start = p;
      for (; p < in_.size() && p - start < digits && HexDigitValue(in_[p]) >= 0; ++p) cp = cp * 16 + HexDigitValue(in_[p]);
      if (braced ? (p == start || p >= in_.size() || in_[p] != '}') : p - start != digits) return false;
      ReplaceWithCodePoint(p + (braced ? 1 : 0), cp);
      return true;
    }
    switch (kind) {
      case 'n': case 'r': case 't': case 'b': case 'f': case 'v': case '0': Replace(i_ + 2, " "); return true;
      case '/': case '"': case '\'': case '\\': Replace(i_ + 2, std::string_view(&in_[i_ + 1], 1)); return true;
      default: return false;
    }
  }

  // An opening bracket ends just before p: "[at]", "( dot )" and the like make "@" or ".", and
  // the blanks on both sides go; false when there is none.
  bool Bracket(std::size_t p, char open) {
    // Scripts are full of brackets: most are passed over at the first byte after them.
    if (p >= in_.size() || std::string_view(" \tadAD@").find(in_[p]) == std::string_view::npos) return false;
    const char close = open == '[' ? ']' : open == '(' ? ')' : '}';
    p = SkipSpaces(p);
    char shown = 0;
    if (p + 1 < in_.size() && LowerAscii(in_[p]) == 'a' && LowerAscii(in_[p + 1]) == 't') {
      shown = '@';
      p += 2;
    } else if (p + 2 < in_.size() && LowerAscii(in_[p]) == 'd' && LowerAscii(in_[p + 1]) == 'o' &&
               LowerAscii(in_[p + 2]) == 't') {
      shown = '.';
      p += 3;
    } else if (p < in_.size() && in_[p] == '@') {
      shown = '@';
      p += 1;
    }
    if (shown == 0) return false;
    p = SkipSpaces(p);
    std::size_t after = 0;
    if (p < in_.size() && in_[p] == close) after = p + 1;
    else if (CharAt(p, after) != close) return false;
    out_.append(in_.substr(kept_, i_ - kept_));
    while (!out_.empty() && IsSpace(out_.back())) out_.pop_back();
    kept_ = i_;
    Replace(SkipSpaces(after), std::string_view(&shown, 1));
    return true;
  }

  std::size_t SkipSpaces(std::size_t p) const {
    while (p < in_.size() && (in_[p] == ' ' || in_[p] == '\t')) ++p;
    return p;
  }

  // What the character outside ASCII at p shows as: an ASCII character, 0 for an invisible
  // one, kOther for any other (and for an ASCII byte at p). end becomes the position after it.
  char CharAt(std::size_t p, std::size_t& end) const {
    end = p + 1;
    if (p >= in_.size() || static_cast<unsigned char>(in_[p]) < 0x80) return kOther;
    const unsigned char lead = in_[p];
    if (bytes_ == PageBytes::kUtf8) {
      const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
      if (length == 1 || p + length > in_.size()) return kOther;
      char32_t cp = lead & (0x3F >> (length - 1));
      for (std::size_t k = 1; k < length; ++k) {
        const unsigned char b = in_[p + k];
        if ((b & 0xC0) != 0x80) return kOther;
        cp = (cp << 6) | (b & 0x3F);
      }
      end = p + length;
      return CodePointChar(cp);
    }
    if (!pairs_ || p + 1 >= in_.size() || !special_[lead]) return kOther;
    end = p + 2;
    const char shown = PairChar(bytes_, lead, static_cast<unsigned char>(in_[p + 1]));
    return shown ? shown : kOther;
  }

  // The character outside ASCII at i_.
  bool NonAscii() {
    std::size_t end = 0;
    const char shown = CharAt(i_, end);
    if ((shown == '(' || shown == '[' || shown == '{') && Bracket(end, shown)) return true;
    if (shown == 0) {
      Replace(end, {});
    } else if (shown != kOther) {
      Replace(end, std::string_view(&shown, 1));
    } else if (pairs_ && end == i_ + 2 && static_cast<unsigned char>(in_[i_ + 1]) < 0x80) {
      // The double-byte character stays, but its second byte can no longer read as ASCII.
      const char pair[] = {in_[i_], kOther};
      Replace(end, std::string_view(pair, 2));
    } else {
      i_ = end;
    }
    return true;
  }

  std::string_view in_;
  PageBytes bytes_;
  const Table& special_;
  const bool pairs_;    // a double-byte charset
  std::size_t i_ = 0;   // the byte being read
  std::size_t kept_ = 0;  // the first byte read and not yet in out_
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  // Two chunks are read at once.
  static constexpr std::size_t kStep = 2 * chunk::kSize;
  std::size_t chunkAt_ = kNone;  // where the chunks last read start
  chunk::Hits hits_{chunk::Chunk{}};  // its hits not yet passed
  std::string out_;
};

}  // namespace

PageBytes PageBytesOf(std::string_view charset) {
  if (charset == "UTF-8") return PageBytes::kUtf8;
  if (charset == "GB18030" || charset == "GBK") return PageBytes::kGbk;
  if (charset == "BIG5-HKSCS") return PageBytes::kBig5;
  if (charset == "CP932") return PageBytes::kShiftJis;
  return PageBytes::kSingleByte;
}

std::string DecodeForAddresses(std::string_view page, PageBytes bytes) { return Decoder(page, bytes).Run(); }

}  // namespace marvessa
