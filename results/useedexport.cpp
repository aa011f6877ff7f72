#include "results/useedexport.h"

#include "engines/ucatalog.h"

namespace marvessa {

std::string SeedValue(std::string_view value) {
  std::string clean(value);
  for (char& c : clean)
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  return clean;
}

// Tab, CR and LF are never the second byte of a GBK character, so the lines are built in GBK and
// converted as a whole.
std::string SeedsExporter::FileBytes(const ExportSource& source, UiThread& ui) {
  const std::string fields =
      "\tkeyword=" + SeedValue(Trim(source.keyword)) + "\tscope=" + SeedValue(ScopeName(source.scope)) + "\n";
  const UrlQueue& level1 = source.run.Level1();
  std::string gbk;
  for (int k = 0; k < level1.Count(); ++k) {
    ui.PumpEvents();
    if (k >= level1.Count()) break;
    const std::string url = Trim(level1.AtAge(k));
    if (url.empty()) continue;
    gbk += SeedValue(url) + "\ttitle=" + SeedValue(Trim(source.run.Level1Title(k))) + fields;
  }
  return GbkToUtf8(gbk);
}

}  // namespace marvessa
