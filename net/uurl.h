// URL pieces and link resolution for the crawl. Every piece is taken from the lower-cased,
// trimmed URL, so what these functions return is lower-case.
#pragma once

#include <string>
#include <string_view>

namespace marvessa {

// The text before the first "://"; empty without one.
std::string UrlScheme(std::string_view url);
// The same piece of the trimmed URL, letter case as written.
std::string_view UrlSchemeAsWritten(std::string_view url);
// The schemes the crawl and the HTTP client speak: "http" and "https" (lower-case).
bool IsHttpScheme(std::string_view scheme);
// Whether the URL begins with one of them, in any letter case.
bool HasHttpScheme(std::string_view url);
// scheme + "://" + host ("http" for an empty scheme), without user information and port;
// empty when the URL names no host.
std::string UrlSiteRoot(std::string_view url);
// Whether UrlSiteRoot is not empty: the URL has a scheme and names a host.
bool NamesHost(std::string_view url);
// The host alone: no scheme, user information or port; empty when the URL names none.
std::string UrlHost(std::string_view url);
// scheme + "://" + host + ":port" (when given) + the path up to and including its last "/"
// before the query ("?", or else "="); "/" when there is no path; empty without a host.
std::string UrlDirectory(std::string_view url);

// The link made absolute against the URL of the page it stands on; empty for an empty link
// and for "./". Absolute links come back unchanged; the directory taken from base is
// lower-cased while the link's own text keeps its case.
std::string ResolveLink(std::string_view base, std::string_view link);

// ResolveLink against one base for many links, with the base's pieces worked out once.
class LinkResolver {
 public:
  explicit LinkResolver(std::string_view base);
  std::string Resolve(std::string_view link) const;
  // The same into resolved, whose memory serves link after link; link must not stand in it.
  void Resolve(std::string_view link, std::string& resolved) const;

 private:
  std::string ResolveParentSteps(std::string link) const;

  std::string origin_;  // scheme://host[:port]
  std::string directory_;
};

}  // namespace marvessa
