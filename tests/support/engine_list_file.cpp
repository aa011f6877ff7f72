#include "tests/support/engine_list_file.h"

#include "engines/ucatalog.h"
#include "engines/uengine.h"
#include "sandbox/testengine.h"

namespace marvessa::test {

void WriteEngineFile(const Sandbox& sandbox, const std::vector<ListedEngine>& engines) {
  std::vector<sandbox::CatalogEngine> blocks;
  for (const ListedEngine& engine : engines) blocks.push_back({engine.name, 0, Lines(kEngineBlockLines, "x")});
  Lines lines = sandbox::TestCatalog(blocks);
  const int head = IndexOfLineNoCase(lines, "[head]");
  for (std::size_t i = 0; i < engines.size(); ++i) lines[head + 2 + 5 * i] = engines[i].scopeLine;
  sandbox.Write(kEngineFileName, EngineFileText(lines));
}

}  // namespace marvessa::test
