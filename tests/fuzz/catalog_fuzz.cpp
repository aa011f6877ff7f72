// Engine files over arbitrary bytes: loading, listing and reading every run engine block.
#include <cstdint>

#include "engines/ucatalog.h"
#include "engines/uengine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace marvessa;
  const EngineCatalog catalog = CatalogFromFileBytes(std::string(reinterpret_cast<const char*>(data), size));
  const std::string switches = size > 0 ? std::string(data[0] % 40, '0') + "1" : "";
  ListEngines(catalog, switches);
  for (int scope = -1; scope <= 8; ++scope) {
    const Lines run = BuildRunEngineList(catalog, scope, switches);
    EngineDef def;
    for (int e = 0; e < RunEngineCount(run) + 1; ++e) LoadEngineBlock(run, e, def);
  }
  return 0;
}
