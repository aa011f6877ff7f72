// The report of a search run as the command line writes it with --report: JSON, UTF-8.
#pragma once

#include <string>
#include <vector>

#include "search/uenginestatus.h"

namespace marvessa {

struct RunReport {
  int pages = 0;
  int addresses = 0;
  double seconds = 0;
  std::vector<EngineRunRow> engines;
};

// {"pages": N, "addresses": N, "seconds": X, "engines": [{"name": "…", "scope": N,
// "requests": N, "resultPages": N, "results": N, "outcome": "…", "lastStatus": N,
// "lastUrl": "…"}]}, with the names in UTF-8 and outcome one of StateName's names.
std::string RunReportJson(const RunReport& report);

}  // namespace marvessa
