// Extensions of an engine record: the reserved body lines 23 to 25 carry key=value pairs that
// today's engines need and the 2005 format has no field for. Each line is a list of pairs
// joined by "&" as in a URL query, with "%XX" for a byte that would otherwise end a key or a
// value ("%26" for "&", "%3D" for "=", "%25" for "%"). Unknown keys are ignored, so a file
// written for a newer program still loads; empty lines mean exactly the 2005 behaviour.
// docs/engine-file.md lists the keys.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/utext.h"

namespace marvessa {

// How a result link that leads through the engine is turned into the address it leads to.
enum class LinkWrapper {
  kNone,
  kBase64Url,  // "u=a1" + the address in base64url (Bing's "/ck/a?")
  kRu,         // "/RU=" + the percent-encoded address + "/RK=" or "/RS=" (Yahoo)
  kUddg,       // "uddg=" + the percent-encoded address (DuckDuckGo's "/l/?")
  kUrlQ,       // "/url?q=" + the percent-encoded address (Google)
};

using NamedValues = std::vector<std::pair<std::string, std::string>>;

class EngineExtensions {
 public:
  // Adds the pairs of one reserved line; a later line's key replaces an earlier one's.
  void AddLine(std::string_view line);

  // The value of a key (any letter case), or empty.
  std::string Get(const std::string& key) const;
  // The pairs whose key begins with prefix, with the rest of the key as written: "header." and
  // "cookie." name request headers and cookies.
  NamedValues WithPrefix(std::string_view prefix) const;

  // --- The request ---

  // "charset": the charset a keyword is encoded in (an iconv name); GB18030 when not given, which
  // sends GBK bytes for every keyword GBK can hold.
  std::string QueryCharset() const;
  // "space": how a blank of the keyword is sent, "%20" (the default) or "+".
  std::string QueryBlank() const;
  // "interval": milliseconds at least between two requests to the engine's host; 1000 when not
  // given.
  int IntervalMs() const;
  // "page1=omit": the first page's query leaves out the page parameter and its number.
  bool OmitsFirstPageNumber() const;
  // "maxpages": result pages one keyword is paged through at most; 0 when not given.
  int MaxPages() const;
  // "nextpage=number": the next page is asked for by its number whenever a page had results;
  // no next-page link is looked for.
  bool PagesByNumber() const;
  // "method=post": the query's text after its first "?" goes as a form body to the URL before it.
  bool PostsQuery() const;
  // "header.NAME" and "cookie.NAME": sent with every request to the engine.
  NamedValues Headers() const { return WithPrefix("header."); }
  NamedValues Cookies() const { return WithPrefix("cookie."); }
  // "warmup": a URL fetched once per run before the engine's first query ("{query}": the query
  // URL of that first page); the cookies it sets go with every later request. "tokenstart" and
  // "tokenend": the text between them on the warm-up page stands for "{token}" in the query.
  std::string WarmupUrl() const { return Get("warmup"); }
  std::string TokenStart() const { return Get("tokenstart"); }
  std::string TokenEnd() const { return Get("tokenend"); }
  // "redirects=follow": result pages follow redirects, with the engine's cookies kept across them.
  bool FollowsRedirects() const;

  // --- The result page ---

  // "unwrap": base64url, ru, uddg or urlq.
  LinkWrapper Wrapper() const;
  // "entities=1": cut URLs and titles are read as HTML: character references decoded, titles
  // without tags, links without a host dropped.
  bool DecodesEntities() const;

  // --- Lists of texts joined by "|", looked for without regard to letter case ---

  // "skip": results whose URL holds one of these (advertisements) are dropped.
  Lines SkipUrls() const { return List("skip"); }
  // "noresults": a page holding one of these has no results, whether or not it shows the
  // result area.
  Lines NoResultsTexts() const { return List("noresults"); }

  // "block": texts (any letter case) of a page that asks for a verification.
  Lines BlockTexts() const { return List("block"); }
  // "blockurl": texts of a redirect's target that is a verification page.
  Lines BlockUrls() const { return List("blockurl"); }
  // "blockheader": names of response headers that mark a verification answer.
  Lines BlockHeaders() const { return List("blockheader"); }

 private:
  Lines List(const std::string& key) const;

  // Lower-cased key -> (key as written, value).
  std::map<std::string, std::pair<std::string, std::string>> values_;
};

}  // namespace marvessa
