// Cutting an engine's result page into results with the markers of its record, as the worker
// does and as the maker's offline check of an engine file does.
#pragma once

#include <string>
#include <vector>

#include "engines/uengine.h"

namespace marvessa {

struct ResultItem {
  std::string url;    // cleaned, unwrapped, with "http://" when it had no scheme; never empty
  std::string title;  // core text
  bool operator==(const ResultItem&) const = default;
};

struct ResultPage {
  // Both area markers are on the page (an empty areaStart counts as found); a result page
  // without them has changed its layout, or is not a result page at all.
  bool areaFound = false;
  // Items whose URL marker gave a URL, in page order (known URLs included).
  std::vector<ResultItem> items;
  // The next-page link; it is looked for only after at least one item start. With nextMode "1"
  // it is the next page's URL, otherwise its text only tells that there is a next page.
  std::string next;
};

// Cuts a fetched page (line breaks and all) of the engine. The page's charset comes from the
// response's Content-Type or the page itself; titles become core text in it. With the record's
// "charset" given, markers holding characters outside ASCII are looked for in the page's charset.
ResultPage CutResultPage(const EngineDef& engine, std::string page, const std::string& contentType);

// Result pages one keyword's paging on one engine requests at most, unless "maxpages" says less
// or more.
inline constexpr int kMaxResultPages = 100;
int MaxResultPages(const EngineDef& engine);
// A next page follows the cut one: a next-page link was found, or, with "nextpage=number", the
// page had results.
bool HasNextPage(const EngineDef& engine, const ResultPage& cut);

// The token the engine's warm-up page carries between "tokenstart" and "tokenend"; empty when
// the record names none or the page lacks it.
std::string CutWarmupToken(const EngineDef& engine, std::string page);

}  // namespace marvessa
