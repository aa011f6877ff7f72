// The level-1 list as seeds for a distributed crawler (Apache Nutch's injector, StormCrawler's
// file spout with its tab scheme).
#pragma once

#include <string>
#include <string_view>

#include "results/uexporter.h"

namespace marvessa {

// The value with every tab, CR and LF turned into a blank, so it stays one field of one line.
std::string SeedValue(std::string_view value);

// UTF-8, one line per level-1 URL, oldest first, ended by LF: the URL, then the tab-separated
// fields "title=" (its result title), "keyword=" (the document's keyword line) and "scope=" (the
// language scope's caption). Blank entries are left out.
class SeedsExporter : public Exporter {
 public:
  std::string FileBytes(const ExportSource& source, UiThread& ui) override;
};

}  // namespace marvessa
