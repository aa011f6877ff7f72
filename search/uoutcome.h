// What became of one request to a search engine, and the state of an engine that follows from
// it, as the run report and the engine status view name them.
#pragma once

#include <string>

#include "engines/uengine.h"
#include "search/uresultpage.h"

namespace marvessa {

enum class FetchOutcome {
  kOk,             // a result page with results
  kNoResults,      // a result page without any
  kLayoutChanged,  // a page on which the result area is not found
  kRateLimited,    // 429, or 503 with Retry-After
  kBlocked,        // 403, 503, or a redirect or page that asks for a verification
  kRedirected,     // a redirect elsewhere, not followed
  kHttpStatus,     // any other error status
  kNetworkError,   // no response: connect, time limit, TLS, a cut fetch
};

// What is known of the answer to one request to an engine.
struct EngineResponse {
  int status = 0;     // of the last response; 0 when none came
  std::string error;  // why the fetch failed; empty when it did not
  // The target of the last redirect, followed or not; empty when there was none.
  std::string location;
  NamedValues headers;  // of the last response, names lower-cased
  std::string contentType;
  std::string body;            // of a successful fetch
  int retryAfterSeconds = -1;  // -1 without Retry-After
};

// Generic block signals apply to every engine; the record adds its own ("block", "blockurl",
// "blockheader") and the text of its "no results" page ("noresults"). A page with results is
// never taken as blocked by its text.
FetchOutcome ClassifyEngineResponse(const EngineResponse& response, const EngineDef& engine, const ResultPage& cut);

// The state of an engine in a run.
enum class EngineState { kOk, kNoResults, kRateLimited, kBlocked, kLayoutChanged, kUnreachable };

EngineState StateOf(FetchOutcome outcome);
// "ok", "no-results", "rate-limited", "blocked", "layout-changed", "unreachable".
const char* StateName(EngineState state);
// 正常, 无结果, 被限速, 需要验证, 页面格式已变, 网络错误.
const char* StateCaption(EngineState state);

}  // namespace marvessa
