// The export formats of the customer list and the one interface the window and the command line
// write them through.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/uglobal.h"
#include "base/uuithread.h"
#include "base/uview.h"
#include "results/ufile.h"
#include "results/uresults.h"
#include "search/urunstate.h"

namespace marvessa {

enum class ExportFormat { Text, Csv, Xlsx, JsonLines, Seeds };
enum class TextEncoding { Utf8, Gbk };

// "text", "csv", "xlsx", "jsonl", "seeds"; nothing for any other name.
std::optional<ExportFormat> ExportFormatNamed(std::string_view name);
// "utf-8", "gbk" (any letter case); nothing for any other name.
std::optional<TextEncoding> TextEncodingNamed(std::string_view name);
// The format a file name asks for by its extension: ".csv", ".xlsx", ".jsonl"; text otherwise.
ExportFormat ExportFormatForPath(const std::string& path);

// What an export reads: the customer list, and for seeds the level-1 list with its titles, the
// keyword line and the language scope of the document.
struct ExportSource {
  const ResultList& results;
  const RunState& run;
  std::string keyword;  // GBK
  int scope = 0;
};

// The source of the document shown in the window.
ExportSource ExportSourceOf(DocumentParts& document);

class Exporter {
 public:
  virtual ~Exporter() = default;
  // The whole file. The event queue is serviced once per row.
  virtual std::string FileBytes(const ExportSource& source, UiThread& ui) = 0;
};

// The exporter of a format; the text layout is read from settings for every row, as the user
// may change it meanwhile.
std::unique_ptr<Exporter> MakeExporter(ExportFormat format, TextEncoding encoding, const Settings& settings);

// Writes the file so that path holds either the old file or the whole new one, with the
// hourglass shown meanwhile. Raises FileError when it cannot be written.
void ExportToFile(const std::string& path, Exporter& exporter, const ExportSource& source, UiThread& ui,
                  BusyCursor& cursor);

// Calls row for every row of the list, first to last. The row count is taken once, so rows
// appended meanwhile are left out; the event queue is serviced before each row, and the loop
// ends early when rows have disappeared meanwhile.
void ForEachExportRow(const ResultList& results, UiThread& ui, const std::function<void(const ResultRecord&)>& row);

}  // namespace marvessa
