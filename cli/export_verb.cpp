#include <cstdio>

#include "base/ufileio.h"
#include "base/uglobal.h"
#include "cli/document_file.h"
#include "cli/export_verb.h"
#include "cli/verbs.h"
#include "results/uexport.h"

namespace marvessa::cli {

ExportChoice TakeExportChoice(Args& args, const std::string& out) {
  const auto format = args.Take("--format");
  const auto encoding = args.Take("--encoding");
  ExportChoice choice{ExportFormatForPath(out), TextEncoding::Utf8};
  if (format) {
    const auto named = ExportFormatNamed(*format);
    if (!named) throw UsageError{"--format must be text, csv, xlsx, jsonl or seeds"};
    choice.format = *named;
  }
  if (encoding) {
    const auto named = TextEncodingNamed(*encoding);
    if (!named) throw UsageError{"--encoding must be utf-8 or gbk"};
    if (choice.format != ExportFormat::Csv) throw UsageError{"--encoding applies to --format csv only"};
    choice.encoding = *named;
  }
  return choice;
}

void WriteExport(const ExportSource& source, const Settings& settings, const ExportChoice& choice,
                 const std::string& out, UiThread& ui, BusyCursor& cursor) {
  const auto exporter = MakeExporter(choice.format, choice.encoding, settings);
  if (out != "-") {
    ExportToFile(out, *exporter, source, ui, cursor);
    return;
  }
  if (choice.format == ExportFormat::Text) {
    for (int i = 0; i < source.results.Count(); ++i)
      PrintLine(ExportLine(settings.exportstring, source.results.ResultAt(i)));
    return;
  }
  const std::string bytes = exporter->FileBytes(source, ui);
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

int ExportVerb(Args& args) {
  const auto layout = args.Take("--layout");
  const std::string out = args.Take("--out").value_or("-");
  const ExportChoice choice = TakeExportChoice(args, out);
  const auto words = args.Rest(
      1, "export DOC [--format text|csv|xlsx|jsonl|seeds] [--encoding utf-8|gbk] [--layout TEXT] [--out FILE]");
  LinuxFolders folders;
  Settings settings;
  LoadSettings(settings, IniPath(folders));
  if (layout) settings.exportstring = ArgToGbk(*layout);
  RequireFile(words[0]);
  DocumentFile doc(settings, words[0]);
  WriteExport(ExportSourceOf(doc.parts), settings, choice, out, doc.ui, doc.window);
  return 0;
}

}  // namespace marvessa::cli
