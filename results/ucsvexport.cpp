#include "results/ucsvexport.h"

#include "results/uexportcaptions.h"

namespace marvessa {

namespace {

void AppendRecord(std::string& out, std::string_view email, std::string_view url, std::string_view title) {
  out += CsvField(email);
  out += ',';
  out += CsvField(url);
  out += ',';
  out += CsvField(title);
  out += "\r\n";
}

}  // namespace

std::string CsvField(std::string_view field) {
  // A spreadsheet takes a cell that starts with one of these as a formula, and a page title is
  // anybody's text: such a field is kept as text by a leading apostrophe.
  const bool formulaLike = !field.empty() && std::string_view("=+-@\t\r").find(field.front()) != std::string_view::npos;
  const std::string text = (formulaLike ? "'" : "") + std::string(field);
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  quoted += '"';
  return quoted;
}

// The structural bytes (comma, quote, CR, LF) are never the second byte of a GBK character, so
// the text is built in GBK and converted as a whole.
std::string CsvExporter::FileBytes(const ExportSource& source, UiThread& ui) {
  std::string gbk;
  AppendRecord(gbk, kEmailCaption, kUrlCaption, kTitleCaption);
  ForEachExportRow(source.results, ui, [&](const ResultRecord& row) {
    AppendRecord(gbk, Trim(row.email), Trim(row.url), Trim(row.title));
  });
  if (encoding_ == TextEncoding::Gbk) return gbk;
  return "\xEF\xBB\xBF" + GbkToUtf8(gbk);
}

}  // namespace marvessa
