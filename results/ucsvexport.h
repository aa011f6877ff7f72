// The customer list as comma-separated values (RFC 4180), with a header row of the list's
// captions.
#pragma once

#include <string>
#include <string_view>

#include "results/uexporter.h"

namespace marvessa {

// The field as it stands, or quoted with its quotes doubled when it holds a comma, a quote or a
// line break; a field that a spreadsheet would run as a formula gets a leading apostrophe.
std::string CsvField(std::string_view field);

// Rows end with CR LF. UTF-8 starts with a byte-order mark, by which spreadsheet programs tell it
// from the local code page; GBK is the rows' own bytes.
class CsvExporter : public Exporter {
 public:
  explicit CsvExporter(TextEncoding encoding) : encoding_(encoding) {}
  std::string FileBytes(const ExportSource& source, UiThread& ui) override;

 private:
  TextEncoding encoding_;
};

}  // namespace marvessa
