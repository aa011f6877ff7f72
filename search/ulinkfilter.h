// The link filter of the crawl: which links found on a page are worth fetching. Besides the
// rules of every link (no mail or script link, no file of an unwanted type, a scheme the crawl
// follows), with filterurl on a link must name a contact or about page: one of the words of the
// setting linkterms must stand in its URL (percent-decoded, read as UTF-8 or else GBK) or in its
// anchor text, letter case ignored (Latin, Greek and Cyrillic letters alike).
#pragma once

#include <array>
#include <bitset>
#include <string>
#include <string_view>
#include <vector>

#include "base/uglobal.h"

namespace marvessa {

// The words of a linkterms text: separated by ",", trimmed, blank ones dropped.
std::vector<std::string> LinkTerms(std::string_view text);

// UTF-8 text with the capital letters of Latin, Greek and Cyrillic scripts lower-cased; other
// characters, and bytes that are not UTF-8, stay as they are.
std::string FoldCaseUtf8(std::string_view text);

// Built from the settings as they are when it is made.
class LinkFilter {
 public:
  explicit LinkFilter(const Settings& settings);

  // Whether a cut link is to be followed; anchorText is the text of its anchor in pageCharset
  // (an iconv name, as PageCharset gives it).
  bool Wanted(std::string_view link, std::string_view anchorText = {}, const std::string& pageCharset = "UTF-8") const;

  // Wanted in two steps, so that the anchor text is cut only when it is read: what the URL alone
  // tells, then, for kAnchorDecides (filterurl on and no contact word in the URL), the anchor.
  enum class Verdict { kRejected, kWanted, kAnchorDecides };
  Verdict JudgeUrl(std::string_view link) const;
  bool AnchorNamesContactPage(std::string_view anchorText, const std::string& pageCharset) const;
  // Whether a scheme (any letter case) is one the crawl follows: http, and https unless httponly.
  bool FollowsScheme(std::string_view scheme) const;
  // Whether the scheme of a URL is: a scheme with blanks or control bytes in it is none.
  bool FollowsSchemeOf(std::string_view url) const;

 private:
  bool NamesContactPage(const std::string& utf8) const;
  template <typename Fold>
  bool HoldsTerm(std::string_view text, Fold fold) const;
  std::string AnchorAsUtf8(std::string_view text, const std::string& charset) const;

  bool filterUrl_;
  bool httpOnly_;
  std::vector<std::string> terms_;  // folded UTF-8, in byte order
  // The terms that start with byte b are terms_[termsFrom_[b]] up to terms_[termsFrom_[b + 1]], so
  // that a text is read once whatever the number of terms.
  std::array<std::size_t, 257> termsFrom_{};
  // Bit a | b << 8 is set when some term starts with the bytes a, b, either of them in upper
  // case, so that most places of a text are passed over after one look-up.
  std::bitset<1 << 16> termStarts_;
};

}  // namespace marvessa
