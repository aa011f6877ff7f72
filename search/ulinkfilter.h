// The link filter of the crawl: which links found on a page are worth fetching. Besides the
// rules of every link (no mail or script link, no file of an unwanted type, a scheme the crawl
// follows), with filterurl on a link must name a contact or about page: one of the words of the
// setting linkterms must stand in its URL (percent-decoded, read as UTF-8 or else GBK) or in its
// anchor text, letter case ignored (Latin, Greek and Cyrillic letters alike).
#pragma once

#include <array>
#include <functional>
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
  // The same, with the anchor text cut only when it is read: after the link passed every other
  // test and its URL names no contact page.
  bool Wanted(std::string_view link, const std::function<std::string()>& anchorText, const std::string& pageCharset) const;
  // Whether Wanted reads the anchor text at all (with filterurl on), so that it is cut only then.
  bool ReadsAnchorText() const { return filterUrl_; }
  // Whether a scheme (any letter case) is one the crawl follows: http, and https unless httponly.
  bool FollowsScheme(std::string_view scheme) const;
  // Whether the scheme of a URL is: a scheme with blanks or control bytes in it is none.
  bool FollowsSchemeOf(std::string_view url) const;

 private:
  bool NamesContactPage(const std::string& utf8) const;
  std::string AnchorAsUtf8(std::string_view text, const std::string& charset) const;

  bool filterUrl_;
  bool httpOnly_;
  std::vector<std::string> terms_;  // folded UTF-8, in byte order
  // The terms that start with byte b are terms_[termsFrom_[b]] up to terms_[termsFrom_[b + 1]], so
  // that a text is read once whatever the number of terms.
  std::array<std::size_t, 257> termsFrom_{};
};

}  // namespace marvessa
