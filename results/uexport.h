// Export of the customer list as text, one line per row in the chosen layout.
#pragma once

#include <string>

#include "base/uglobal.h"
#include "results/uexporter.h"
#include "results/uresults.h"

namespace marvessa {

// The layout with "<网址>", then "<邮址>", then "<标题>" replaced by the row's trimmed URL,
// address and title.
std::string ExportLine(const std::string& layout, const ResultRecord& row);

// Every row in list order, each line built from the layout as it stands when the row is reached,
// ended by CR LF; GBK, like the rows.
class LayoutTextExporter : public Exporter {
 public:
  explicit LayoutTextExporter(const Settings& settings) : settings_(settings) {}
  std::string FileBytes(const ExportSource& source, UiThread& ui) override;

 private:
  const Settings& settings_;
};

}  // namespace marvessa
