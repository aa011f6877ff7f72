#include "results/uexporter.h"

#include "base/ufileio.h"
#include "results/ucsvexport.h"
#include "results/uexport.h"
#include "results/ujsonlexport.h"
#include "results/useedexport.h"
#include "results/uxlsxexport.h"

namespace marvessa {

std::optional<ExportFormat> ExportFormatNamed(std::string_view name) {
  if (name == "text") return ExportFormat::Text;
  if (name == "csv") return ExportFormat::Csv;
  if (name == "xlsx") return ExportFormat::Xlsx;
  if (name == "jsonl") return ExportFormat::JsonLines;
  if (name == "seeds") return ExportFormat::Seeds;
  return std::nullopt;
}

std::optional<TextEncoding> TextEncodingNamed(std::string_view name) {
  const std::string lower = LowerAscii(name);
  if (lower == "utf-8" || lower == "utf8") return TextEncoding::Utf8;
  if (lower == "gbk") return TextEncoding::Gbk;
  return std::nullopt;
}

ExportFormat ExportFormatForPath(const std::string& path) {
  const std::string lower = LowerAscii(path);
  if (lower.ends_with(".csv")) return ExportFormat::Csv;
  if (lower.ends_with(".xlsx")) return ExportFormat::Xlsx;
  if (lower.ends_with(".jsonl")) return ExportFormat::JsonLines;
  return ExportFormat::Text;
}

ExportSource ExportSourceOf(DocumentParts& document) {
  return {document.results, document.run, document.keywords.KeywordText(), SelectedScope(document.scope)};
}

std::unique_ptr<Exporter> MakeExporter(ExportFormat format, TextEncoding encoding, const Settings& settings) {
  switch (format) {
    case ExportFormat::Csv:
      return std::make_unique<CsvExporter>(encoding);
    case ExportFormat::Xlsx:
      return std::make_unique<XlsxExporter>();
    case ExportFormat::JsonLines:
      return std::make_unique<JsonLinesExporter>();
    case ExportFormat::Seeds:
      return std::make_unique<SeedsExporter>();
    case ExportFormat::Text:
      break;
  }
  return std::make_unique<LayoutTextExporter>(settings);
}

void ExportToFile(const std::string& path, Exporter& exporter, const ExportSource& source, UiThread& ui,
                  BusyCursor& cursor) {
  BusyScope busy(cursor);
  WriteFileAtomic(path, exporter.FileBytes(source, ui));
}

void ForEachExportRow(const ResultList& results, UiThread& ui, const std::function<void(const ResultRecord&)>& row) {
  const int count = results.Count();
  for (int i = 0; i < count; ++i) {
    ui.PumpEvents();
    if (i >= results.Count()) break;
    row(results.ResultAt(i));
  }
}

}  // namespace marvessa
