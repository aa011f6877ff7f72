// A request to a search engine as its record asks for it, and its answer as the outcome rules
// read it.
#pragma once

#include <string>

#include "engines/uengine.h"
#include "net/uhttp.h"
#include "search/uoutcome.h"

namespace marvessa {

struct EngineQuery {
  std::string url;
  FetchOptions options;
};

// The request for a query URL: "{token}" filled in (percent-encoded), blanks as the worker sends
// them, a POST of the text after the first "?" with "method=post", the record's headers, the
// cookies ("a=1; b=2") and, with "redirects=follow", redirects followed.
EngineQuery BuildEngineQuery(const EngineDef& engine, const std::string& queryUrl, const std::string& token,
                             const std::string& cookies);
// The warm-up request: "{query}" stands for the first page's query URL; redirects are not
// followed.
EngineQuery BuildWarmupQuery(const EngineDef& engine, const std::string& firstQueryUrl, const std::string& cookies);

EngineResponse ResponseOf(const FetchResult& result);

}  // namespace marvessa
