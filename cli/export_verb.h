// Writing the customer list out, shared by the verbs that end with an export.
#pragma once

#include <optional>
#include <string>

#include "base/uglobal.h"
#include "base/uuithread.h"
#include "base/uview.h"
#include "cli/console.h"
#include "results/uexporter.h"

namespace marvessa::cli {

// The format and encoding options of an export: "--format" (by default the one the file's
// extension asks for, else text) and "--encoding" (CSV only).
struct ExportChoice {
  ExportFormat format = ExportFormat::Text;
  TextEncoding encoding = TextEncoding::Utf8;
};
ExportChoice TakeExportChoice(Args& args, const std::string& out);

// Exports to a file, or prints on stdout when out is "-": the text layout as UTF-8 lines, every
// other format as the file's bytes.
void WriteExport(const ExportSource& source, const Settings& settings, const ExportChoice& choice,
                 const std::string& out, UiThread& ui, BusyCursor& cursor);

}  // namespace marvessa::cli
