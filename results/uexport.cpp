#include "results/uexport.h"

#include "base/utext.h"

namespace marvessa {

namespace {

// Replaces every occurrence of token, searching on after each inserted value, so a value holding
// its own token is inserted once.
void ReplaceToken(std::string& line, std::string_view token, const std::string& value) {
  std::size_t p = line.find(token);
  while (p != std::string::npos) {
    line.replace(p, token.size(), value);
    p = line.find(token, p + value.size());
  }
}

}  // namespace

std::string ExportLine(const std::string& layout, const ResultRecord& row) {
  std::string line = layout;
  ReplaceToken(line, "<网址>", Trim(row.url));
  ReplaceToken(line, "<邮址>", Trim(row.email));
  ReplaceToken(line, "<标题>", Trim(row.title));
  return line;
}

std::string LayoutTextExporter::FileBytes(const ExportSource& source, UiThread& ui) {
  Lines lines;
  lines.reserve(source.results.Count());
  ForEachExportRow(source.results, ui, [&](const ResultRecord& row) { lines.push_back(ExportLine(settings_.exportstring, row)); });
  return JoinLinesCrLf(lines);
}

}  // namespace marvessa
