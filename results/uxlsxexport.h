// The customer list as an Excel workbook (.xlsx), written with libxlsxwriter.
#pragma once

#include <string>

#include "results/uexporter.h"

namespace marvessa {

// One sheet with a bold header row of the list's captions, then one row per result, every cell
// a text cell (so no value is ever taken as a formula). A list longer than a sheet goes on in
// further sheets, each with its own header row.
class XlsxExporter : public Exporter {
 public:
  std::string FileBytes(const ExportSource& source, UiThread& ui) override;
};

}  // namespace marvessa
