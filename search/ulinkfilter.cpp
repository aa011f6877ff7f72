#include "search/ulinkfilter.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "base/utext.h"
#include "net/ucharset.h"
#include "net/uurl.h"
#include "search/uscanner.h"

namespace marvessa {

namespace {

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

// Every four characters that stand together in LinkEndings, sorted: the last four characters of
// each link are looked up in a few steps instead of a search through the text.
constexpr auto kLinkEndingQuads = [] {
  std::array<std::uint32_t, LinkEndings.size() - 3> quads{};
  for (std::size_t i = 0; i < quads.size(); ++i) quads[i] = Quad(LinkEndings.substr(i, 4));
  std::sort(quads.begin(), quads.end());
  return quads;
}();

// Whether the lower-cased tail of a link (its last four characters, or all of a shorter one)
// occurs in LinkEndings.
bool IsLinkEnding(std::string_view tail) {
  if (tail.size() < 4) return LinkEndings.find(tail) != std::string_view::npos;
  return std::binary_search(kLinkEndingQuads.begin(), kLinkEndingQuads.end(), Quad(tail));
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
}

bool LinkFilter::FollowsScheme(std::string_view scheme) const {
  return EqualsNoCase(scheme, "http") || (!httpOnly_ && EqualsNoCase(scheme, "https"));
}

bool LinkFilter::FollowsSchemeOf(std::string_view url) const { return FollowsScheme(UrlSchemeAsWritten(url)); }

bool LinkFilter::NamesContactPage(const std::string& utf8) const {
  const std::string folded = FoldCaseUtf8(utf8);
  const std::string_view text = folded;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char first = text[i];
    for (std::size_t t = termsFrom_[first]; t < termsFrom_[first + 1]; ++t) {
      const std::string& term = terms_[t];
      // The second byte turns most terms down before a whole comparison.
      if (term.size() <= text.size() - i && (term.size() == 1 || term[1] == text[i + 1]) &&
          text.substr(i, term.size()) == term)
        return true;
    }
  }
  return false;
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
  return Wanted(link, [anchorText] { return std::string(anchorText); }, pageCharset);
}

bool LinkFilter::Wanted(std::string_view link, const std::function<std::string()>& anchorText,
                        const std::string& pageCharset) const {
  // Every test but the contact words reads the link in place: most links of a page are judged
  // by them alone.
  const std::string_view s = TrimView(link);
  if (s.empty() || FindNoCase(s, "mailto:") != std::string_view::npos ||
      FindNoCase(s, "javascript") != std::string_view::npos)
    return false;
  const std::string_view scheme = TrimView(UrlSchemeAsWritten(s));
  if (!scheme.empty() && !FollowsScheme(scheme)) return false;
  char tail[4];
  const std::size_t tailSize = std::min(s.size(), sizeof tail);
  for (std::size_t i = 0; i < tailSize; ++i) tail[i] = LowerAscii(s[s.size() - tailSize + i]);
  if (IsLinkEnding(std::string_view(tail, tailSize))) return false;
  if (!filterUrl_) return true;
  const std::string decoded = PercentDecode(LowerAscii(s));
  if (NamesContactPage(IsValidUtf8(decoded) ? decoded : GbkToUtf8(decoded))) return true;
  const std::string anchor = anchorText();
  return !IsBlankText(anchor) && NamesContactPage(AnchorAsUtf8(anchor, pageCharset));
}

}  // namespace marvessa
