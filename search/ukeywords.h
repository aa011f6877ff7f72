// Keyword lines: the run's keyword list, query URLs and the terms of the title filter.
#pragma once

#include <string>
#include <string_view>

#include "base/utext.h"
#include "engines/uengine.h"

namespace marvessa {

// The keyword box text (when not blank) and every non-blank batch line, each as typed.
Lines BuildRunKeywords(const std::string& keywordBox, const Lines& batchLines);

// The keyword line as it goes into the engine's query: blanks collapsed, in the engine's query
// charset, every byte but the unreserved URL characters percent-encoded, blanks as the engine
// expects them.
std::string EncodeKeyword(const EngineDef& engine, const std::string& keyword);
// Result page k (0 for the first page) of the engine for the keyword line; with "page1=omit" the
// first page's URL has no page parameter and number.
std::string BuildQueryUrl(const EngineDef& engine, const std::string& keyword, int k);

// Trims, and turns every blank with the blanks and control characters after it into one blank.
std::string CollapseBlanks(std::string_view text);
// The URL as it goes into the request line: blanks collapsed, then each blank as "%20".
std::string RequestUrl(std::string_view url);

// 1-based end of the first term of a trimmed text (0 when the whole text is one term).
std::size_t NextTermEnd(std::string_view s);
// The lower-cased positive terms of a keyword line; excluded words ("-word") are dropped.
Lines ParseKeywordTerms(std::string_view line);

}  // namespace marvessa
