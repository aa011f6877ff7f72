#include "app/ufileio.h"
#include "app/uglobal.h"
#include "cli/export_verb.h"
#include "cli/headless_window.h"
#include "cli/verbs.h"
#include "results/uexport.h"
#include "results/ufile.h"

namespace marvessa::cli {

void WriteExport(const ResultList& results, const Settings& settings, const std::string& out, UiThread& ui,
                 BusyCursor& cursor) {
  if (out != "-") {
    ExportResults(out, results, settings, ui, cursor);
    return;
  }
  for (int i = 0; i < results.Count(); ++i) PrintLine(ExportLine(settings.exportstring, results.ResultAt(i)));
}

int ExportVerb(Args& args) {
  const auto layout = args.Take("--layout");
  const std::string out = args.Take("--out").value_or("-");
  const auto words = args.Rest(1, "export DOC [--layout TEXT] [--out FILE]");
  LinuxFolders folders;
  Settings settings;
  LoadSettings(settings, IniPath(folders));
  if (layout) settings.exportstring = ArgToGbk(*layout);
  if (!FileExists(words[0])) throw FileError("Cannot open file \"" + words[0] + "\"");
  HeadlessWindow window;
  RunState run(settings);
  ResultList results;
  TaskQueueUiThread ui;
  DocumentParts parts{results, run, window, window, window, ui};
  DocumentState document;
  LoadDocument(parts, false, words[0], document);
  WriteExport(results, settings, out, ui, window);
  return 0;
}

}  // namespace marvessa::cli
