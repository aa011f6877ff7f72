#include "search/ulinkfilter.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <exception>

#include "base/uchunk.h"
#include "base/utext.h"
#include "net/ucharset.h"
#include "net/uurl.h"
#include "search/uscanner.h"

namespace marvessa {

namespace {

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

std::string AllBytes() {
  std::string bytes(256, '\0');
  for (std::size_t b = 0; b < bytes.size(); ++b) bytes[b] = static_cast<char>(b);
  return bytes;
}

// Whether text starts with word in any letter case; word is lower-case.
bool StartsWithNoCase(std::string_view text, std::string_view word) {
  if (text.size() < word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i)
    if (LowerAscii(text[i]) != word[i]) return false;
  return true;
}

constexpr std::uint64_t kHttpStart = chunk::WordOf("http://");
constexpr std::uint64_t kHttpsStart = chunk::WordOf("https://");

// Whether text, of eight bytes or more, starts with "http://" (4 letters) or "https://" (5), one
// comparison each: setting the 0x20 bit of a letter's byte folds it exactly (only "H" and "h"
// give "h"), while ":" and "/" are compared as they stand.
bool StartsWithWeb(std::string_view text, std::uint64_t start, int letters) {
  std::uint64_t word;
  std::memcpy(&word, text.data(), sizeof word);
  const std::uint64_t lettersBits = 0x2020202020u >> (5 - letters) * 8;
  const std::uint64_t compared = ~0ull >> (letters == 4) * 8;  // "http://" is seven bytes
  return ((word | lettersBits) & compared) == start;
}

// Two bytes as the table of term starts numbers them: as a little-endian number, the way a
// text's bytes are read from memory.
unsigned PairIndex(char first, char second) {
  return static_cast<unsigned char>(first) | static_cast<unsigned>(static_cast<unsigned char>(second)) << 8;
}

// The next code point of UTF-8 text at i, or -1 for a byte that starts none; i moves past it.
long NextCodePoint(std::string_view s, std::size_t& i) {
  const unsigned char c = s[i];
  const std::size_t extra = c < 0x80 ? 0 : c >= 0xF5 ? 4 : c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC2 ? 1 : 4;
  if (extra == 4 || i + extra >= s.size()) {
    ++i;
    return -1;
  }
  long cp = extra == 0 ? c : c & (0x3F >> extra);
  for (std::size_t k = 1; k <= extra; ++k) {
    const unsigned char t = s[i + k];
    if ((t & 0xC0) != 0x80) {
      ++i;
      return -1;
    }
    cp = (cp << 6) | (t & 0x3F);
  }
  i += extra + 1;
  return cp;
}

// Four characters as one number, the first in the top byte.
constexpr std::uint32_t Quad(std::string_view four) {
  std::uint32_t quad = 0;
  for (char c : four) quad = quad << 8 | static_cast<unsigned char>(c);
  return quad;
}

// Every four characters that stand together in LinkEndings, each in the slot a multiplicative
// hash gives it, with a multiplier under which no two share a slot: a quad is looked up with one
// comparison. 0 marks a free slot, so the quad 0 is never held.
struct EndingTable {
  static constexpr int kSlotBits = 9;
  std::uint32_t multiplier = 0x9E3779B1u;
  std::array<std::uint32_t, 1u << kSlotBits> slots{};

  constexpr std::size_t SlotOf(std::uint32_t quad) const { return (quad * multiplier) >> (32 - kSlotBits); }
  constexpr bool Holds(std::uint32_t quad) const { return quad != 0 && slots[SlotOf(quad)] == quad; }
  // Whether every quad of LinkEndings gets a slot of its own (one that appears twice, the same).
  constexpr bool Fill() {
    slots = {};
    for (std::size_t i = 0; i + 4 <= LinkEndings.size(); ++i) {
      const std::uint32_t quad = Quad(LinkEndings.substr(i, 4));
      std::uint32_t& slot = slots[SlotOf(quad)];
      if (slot != 0 && slot != quad) return false;
      slot = quad;
    }
    return true;
  }
};

constexpr EndingTable kLinkEndingTable = [] {
  EndingTable table;
  while (!table.Fill()) table.multiplier += 0x20002;  // stays odd
  return table;
}();

// The last four bytes of a link of four or more, A..Z lowered, as Quad reads them: in each byte
// below 0x80, adding 0x3F sets the top bit from "A" on and adding 0x25 from "Z" + 1 on.
std::uint32_t LoweredTail(std::string_view link) {
  std::uint32_t word;
  std::memcpy(&word, link.data() + link.size() - 4, sizeof word);
  const std::uint32_t low7 = word & 0x7F7F7F7Fu;
  const std::uint32_t upper = (low7 + 0x3F3F3F3Fu) & ~(low7 + 0x25252525u) & ~word & 0x80808080u;
  return __builtin_bswap32(word | upper >> 2);
}

// Whether the lower-cased last four characters of a link (all of a shorter one) occur in
// LinkEndings.
bool HasUnwantedEnding(std::string_view link) {
  if (link.size() >= 4) return kLinkEndingTable.Holds(LoweredTail(link));
  const std::string tail = LowerAscii(link);
  return LinkEndings.find(tail) != std::string_view::npos;
}

// Whether "mailto:" or "javascript" stands anywhere in a link, letter case ignored: one pass,
// sixteen bytes at a time, that compares only where an "m" or a "j" stands before an "a" (or
// before the next chunk). The last chunk ends with the link and skips the bytes its predecessor
// has seen.
bool IsMailOrScriptLink(std::string_view link) {
  using namespace chunk;
  const auto startsAt = [link](std::size_t at) {
    const std::string_view rest = link.substr(at);
    return StartsWithNoCase(rest, "mailto:") || StartsWithNoCase(rest, "javascript");
  };
  if (link.size() < kSize) {
    for (std::size_t i = 0; i < link.size(); ++i)
      if (const char c = LowerAscii(link[i]); (c == 'm' || c == 'j') && startsAt(i)) return true;
    return false;
  }
  for (std::size_t i = 0; i < link.size(); i += kSize) {
    const std::size_t at = std::min(i, link.size() - kSize);
    const Chunk lower = Load(link.data() + at) | Splat(0x20);  // exact for letters
    Hits hits(Equal(lower, Splat('m')) | Equal(lower, Splat('j')));
    hits.mask &= (Hits(Equal(lower, Splat('a'))).mask >> 1 | 1u << (kSize - 1)) & ~0u << (i - at);
    for (; hits.Any(); hits.DropFirst())
      if (startsAt(at + hits.First())) return true;
  }
  return false;
}

// Whether text holds only ASCII bytes, and none of them "%" when percentToo: the top bit of a
// byte is the processor's byte mask.
bool IsAscii(std::string_view text, bool percentToo = false) {
  using namespace chunk;
  const Chunk percent = Splat(percentToo ? '%' : '\x80');
  return !AnyHit(text, [percent](Chunk x) { return x | Equal(x, percent); });
}

// Whether iconv reads each ASCII byte of a page charset as that very character, so that ASCII
// text in it needs no conversion: the stateless charsets PageCharset names, as far as the
// iconv at hand confirms it.
bool ReadsAsciiAsItself(const std::string& charset) {
  static const std::vector<std::string> kCharsets = [] {
    const std::string ascii = AllBytes().substr(0, 128);
    std::vector<std::string> confirmed{"UTF-8"};
    for (const char* name : {"GB18030", "BIG5-HKSCS", "CP932", "EUC-JP", "CP949", "KOI8-R", "KOI8-U", "CP1250",
                             "CP1251", "CP1252", "CP1253", "CP1254", "CP1255", "CP1256", "CP1257", "CP1258",
                             "ISO-8859-1", "ISO-8859-2", "ISO-8859-5", "ISO-8859-7", "ISO-8859-9", "ISO-8859-15"}) {
      try {
        if (ConvertText(ascii, "UTF-8", name) == ascii) confirmed.emplace_back(name);
      } catch (const std::exception&) {
      }
    }
    return confirmed;
  }();
  return std::find(kCharsets.begin(), kCharsets.end(), charset) != kCharsets.end();
}

long LowerCodePoint(long cp) {
  if (cp >= 'A' && cp <= 'Z') return cp + 32;
  if (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7) return cp + 32;  // Latin-1
  if ((cp >= 0x100 && cp <= 0x137) || (cp >= 0x14A && cp <= 0x177)) return cp | 1;  // Latin Extended-A pairs
  if (cp >= 0x139 && cp <= 0x148 && cp % 2 == 1) return cp + 1;
  if (cp >= 0x391 && cp <= 0x3A9 && cp != 0x3A2) return cp + 32;  // Greek
  if (cp >= 0x410 && cp <= 0x42F) return cp + 32;                 // Cyrillic
  if (cp >= 0x400 && cp <= 0x40F) return cp + 80;
  return cp;
}

}  // namespace

std::vector<std::string> LinkTerms(std::string_view text) {
  std::vector<std::string> terms;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find(',', start), text.size());
    std::string term = Trim(text.substr(start, end - start));
    if (!term.empty()) terms.push_back(std::move(term));
    start = end + 1;
  }
  return terms;
}

std::string FoldCaseUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      out += LowerAscii(text[i++]);
      continue;
    }
    const std::size_t start = i;
    const long cp = NextCodePoint(text, i);
    if (cp < 0) {
      out += text[start];
    } else if (const long lower = LowerCodePoint(cp); lower == cp) {
      out.append(text, start, i - start);
    } else {
      AppendUtf8(out, lower);
    }
  }
  return out;
}

LinkFilter::LinkFilter(const Settings& settings) : filterUrl_(settings.filterurl), httpOnly_(settings.httponly) {
  for (const std::string& term : LinkTerms(GbkToUtf8(settings.linkterms.get()))) terms_.push_back(FoldCaseUtf8(term));
  std::sort(terms_.begin(), terms_.end());
  for (int b = 0; b < 256; ++b) {
    const auto first = std::lower_bound(terms_.begin(), terms_.end(), b,
                                        [](const std::string& term, int c) { return static_cast<unsigned char>(term[0]) < c; });
    termsFrom_[b] = static_cast<std::size_t>(first - terms_.begin());
  }
  termsFrom_[256] = terms_.size();
  for (const std::string& term : terms_) {
    // Either byte in either case; a one-byte term before any byte, and before the end of a text
    // (a zero byte).
    const std::string firsts{term[0], UpperAscii(term[0])};
    const std::string seconds = term.size() > 1 ? std::string{term[1], UpperAscii(term[1])} : AllBytes();
    for (const char a : firsts)
      for (const char b : seconds) termStarts_.set(PairIndex(a, b));
  }
}

bool LinkFilter::FollowsScheme(std::string_view scheme) const {
  // "http", or "https" unless httponly, both with "http" in front: those four bytes are compared
  // at once, each byte's 0x20 bit set, which folds the letters exactly (only "H" and "h" give "h").
  if (scheme.size() != 4 && (scheme.size() != 5 || httpOnly_ || (scheme[4] | 0x20) != 's')) return false;
  std::uint32_t word;
  std::memcpy(&word, scheme.data(), sizeof word);
  return (word | 0x20202020u) == static_cast<std::uint32_t>(chunk::WordOf("http"));
}

bool LinkFilter::FollowsSchemeOf(std::string_view url) const {
  // Most URLs start with "http://" or "https://", whose first "://" ends the scheme: known
  // without a search.
  const std::string_view s = TrimView(url);
  if (s.size() >= sizeof(std::uint64_t)) {
    if (StartsWithWeb(s, kHttpStart, 4)) return true;
    if (StartsWithWeb(s, kHttpsStart, 5)) return !httpOnly_;
  } else if (StartsWithNoCase(s, "http://")) {
    return true;
  }
  return FollowsScheme(UrlSchemeAsWritten(s));
}

bool LinkFilter::NamesContactPage(const std::string& utf8) const {
  return HoldsTerm(FoldCaseUtf8(utf8), [](char c) { return c; });
}

// Whether some term stands in text, each byte of it read as fold(byte). The table of term
// starts is read with the bytes as they stand (it holds their upper-case forms too).
template <typename Fold>
bool LinkFilter::HoldsTerm(std::string_view text, Fold fold) const {
  const auto termAt = [&](std::size_t i) {
    const unsigned char first = fold(text[i]);
    for (std::size_t t = termsFrom_[first]; t < termsFrom_[first + 1]; ++t) {
      const std::string& term = terms_[t];
      if (term.size() > text.size() - i) continue;
      std::size_t k = 1;
      while (k < term.size() && fold(text[i + k]) == term[k]) ++k;
      if (k == term.size()) return true;
    }
    return false;
  };
  if (text.empty()) return false;
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    std::uint16_t pair;
    std::memcpy(&pair, text.data() + i, sizeof pair);
    if (termStarts_[pair] && termAt(i)) return true;
  }
  return termStarts_[PairIndex(text.back(), '\0')] && termAt(text.size() - 1);
}

std::string LinkFilter::AnchorAsUtf8(std::string_view text, const std::string& charset) const {
  if (charset == "UTF-8") return std::string(text);
  try {
    return ConvertText(text, "UTF-8", charset.c_str());
  } catch (const std::exception&) {
    return std::string(text);  // a charset iconv does not know: the anchor as it stands
  }
}

bool LinkFilter::Wanted(std::string_view link, std::string_view anchorText, const std::string& pageCharset) const {
  const Verdict verdict = JudgeUrl(link);
  return verdict == Verdict::kWanted ||
         (verdict == Verdict::kAnchorDecides && AnchorNamesContactPage(anchorText, pageCharset));
}

// The cheap tests first; the contact words, which read the whole link, last.
LinkFilter::Verdict LinkFilter::JudgeUrl(std::string_view link) const {
  const std::string_view s = TrimView(link);
  if (s.empty() || HasUnwantedEnding(s)) return Verdict::kRejected;
  // UrlSchemeAsWritten, written out: s is trimmed already, and every link of a page comes here.
  const std::size_t schemeEnd = s.find("://");
  if (schemeEnd != std::string_view::npos) {
    const std::string_view scheme = TrimView(s.substr(0, schemeEnd));
    if (!scheme.empty() && !FollowsScheme(scheme)) return Verdict::kRejected;
  }
  if (IsMailOrScriptLink(s)) return Verdict::kRejected;
  if (!filterUrl_) return Verdict::kWanted;
  // Percent-decoding and case folding change nothing in ASCII without "%".
  if (IsAscii(s, true))
    return HoldsTerm(s, [](char c) { return LowerAscii(c); }) ? Verdict::kWanted : Verdict::kAnchorDecides;
  const std::string decoded = PercentDecode(LowerAscii(s));
  return NamesContactPage(IsValidUtf8(decoded) ? decoded : GbkToUtf8(decoded)) ? Verdict::kWanted
                                                                                : Verdict::kAnchorDecides;
}

bool LinkFilter::AnchorNamesContactPage(std::string_view anchorText, const std::string& pageCharset) const {
  if (IsBlankText(anchorText)) return false;
  if (IsAscii(anchorText) && ReadsAsciiAsItself(pageCharset))
    return HoldsTerm(anchorText, [](char c) { return LowerAscii(c); });
  return NamesContactPage(AnchorAsUtf8(anchorText, pageCharset));
}

}  // namespace marvessa
