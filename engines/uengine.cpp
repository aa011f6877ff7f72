#include "engines/uengine.h"

namespace marvessa {

int RunEngineCount(const Lines& runEngines) {
  const int b = IndexOfLineNoCase(runEngines, "[body]");
  const int z = IndexOfLineNoCase(runEngines, "[/body]");
  if (b < 0 || z <= b) return 0;
  return (z - b) / kEngineBlockLines;
}

bool LoadEngineBlock(const Lines& runEngines, int e, EngineDef& def) {
  const std::size_t first = static_cast<std::size_t>(kEngineBlockLines) * e + 1;
  if (e < 0 || first + 21 >= runEngines.size()) return false;
  auto line = [&](int field) -> const std::string& { return runEngines[first + field - 1]; };
  std::string* texts[] = {&def.engineKey,    &def.areaStart,    &def.areaEnd,    &def.itemStart,
                          &def.itemEnd,      &def.urlStart,     &def.urlEnd,     &def.titleStart,
                          &def.titleEnd,     &def.summaryStart, &def.summaryEnd, &def.queryPrefix,
                          &def.queryPath,    &def.queryPageParam, &def.querySuffix, &def.nextStart,
                          &def.nextEnd};
  for (int i = 0; i < 17; ++i) *texts[i] = line(i + 1);
  if (auto v = ParseDecimal(Trim(line(18)))) def.pageStep = *v;
  def.itemOrder = ParseDecimal(Trim(line(19))).value_or(0);
  if (auto v = ParseDecimal(Trim(line(20)))) def.firstPage = *v;
  def.nextMode = line(21);
  def.nextPrefix = line(22);
  def.extensions = EngineExtensions();
  for (int field = 23; field <= kEngineBlockLines && first + field - 1 < runEngines.size(); ++field)
    def.extensions.AddLine(line(field));
  return true;
}

}  // namespace marvessa
