#include "search/urunreport.h"

#include <nlohmann/json.hpp>

#include "base/utext.h"

namespace marvessa {

std::string RunReportJson(const RunReport& report) {
  nlohmann::ordered_json engines = nlohmann::ordered_json::array();
  for (const EngineRunRow& row : report.engines) {
    engines.push_back({{"name", GbkToUtf8(row.name)},
                       {"scope", row.scope},
                       {"requests", row.requests},
                       {"resultPages", row.resultPages},
                       {"results", row.results},
                       {"outcome", StateName(row.State())},
                       {"lastStatus", row.lastStatus},
                       {"lastUrl", row.lastUrl}});
  }
  const nlohmann::ordered_json json = {{"pages", report.pages},
                                       {"addresses", report.addresses},
                                       {"seconds", report.seconds},
                                       {"engines", engines}};
  return json.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

}  // namespace marvessa
