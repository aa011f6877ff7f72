#include <cstdio>

#include <chrono>

#include "base/ufileio.h"
#include "cli/export_verb.h"
#include "cli/headless_session.h"
#include "cli/verbs.h"

namespace marvessa::cli {

namespace {

constexpr const char* kUsage =
    "search [--scope N] [--batch FILE] [--import FILE] [--open DOC] [--continue] [--discard-autosave] [--save DOC]"
    " [--export FILE] [--format text|csv|xlsx|jsonl|seeds] [--encoding utf-8|gbk] [--layout TEXT] [KEYWORD]";

// The batch keywords of a UTF-8 text file, one keyword line per line.
Lines BatchLines(const std::string& path) {
  return SplitLines(Utf8ToGbk(ReadRequiredFile(path)));
}

// A run whose save or export failed keeps its rows in the autosave file, which is named, or, when
// not even that can be written, prints them.
void KeepRows(HeadlessSession& session) {
  TMainForm& form = session.form();
  const std::string autosave = form.files().AutosavePath();
  try {
    form.files().SaveAutosave();
    std::fprintf(stderr, "marvessa-cli: the rows are kept in %s\n", autosave.c_str());
  } catch (const FileError& e) {
    std::fprintf(stderr, "marvessa-cli: %s; the rows follow on stdout\n", e.what());
    DocumentParts parts = form.Parts();
    WriteExport(ExportSourceOf(parts), form.settings(), {}, "-", session.ui(), session.window());
  }
  session.Close(true);
}

}  // namespace

int SearchVerb(Args& args) {
  const auto scope = args.TakeInt("--scope");
  const auto batch = args.Take("--batch");
  const auto import = args.Take("--import");
  const auto open = args.Take("--open");
  const bool continueRun = args.TakeFlag("--continue");
  const bool discardAutosave = args.TakeFlag("--discard-autosave");
  const auto save = args.Take("--save");
  auto exportTo = args.Take("--export");
  const auto layout = args.Take("--layout");
  const auto report = args.Take("--report");
  const ExportChoice choice = TakeExportChoice(args, exportTo.value_or("-"));
  const auto words = args.RestUpTo(1, kUsage);
  if (!save && !exportTo) exportTo = "-";

  LinuxFolders folders;
  const std::string autosave = folders.ProgramFolder() + kAutosaveFileName;
  const bool autosaved = FileExists(autosave);
  // The rows of a run that was killed wait in the autosave file, which a new run would clear.
  if (autosaved && !open && !discardAutosave)
    throw UsageError{autosave + " holds the rows of an unfinished run: continue it with --open " + autosave +
                     " --continue, or give --discard-autosave"};
  HeadlessSession session(folders);
  TMainForm& form = session.form();
  HeadlessWindow& window = session.window();
  if (autosaved) {
    // The document reopened from the autosave file is set aside without the save question; the
    // file itself goes only when the run has been saved.
    window.nextAnswer = MessageAnswer::No;
    form.files().NewDocument();
    window.nextAnswer.reset();
  }
  if (open) form.files().OpenCommand(false, *open);
  if (import) {
    window.nextOpenFile = *import;
    form.files().AFimportExecute();
  }
  if (!words.empty()) window.SetKeywordText(ArgToGbk(words[0]));
  if (batch) window.SetBatchLines(BatchLines(*batch));
  if (scope) SelectScope(window, *scope);
  // The layout is this run's only: the settings file keeps its own.
  Settings exportLayout;
  exportLayout.exportstring = layout ? ArgToGbk(*layout) : form.settings().exportstring.get();

  const auto start = std::chrono::steady_clock::now();
  if (!session.RunSearch(continueRun)) throw UsageError{"nothing to search: give a keyword, --batch or --import"};
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  const RunReport run = session.Report(took.count());
  for (const EngineRunRow& row : run.engines) PrintError(EngineStatusLine(row));
  if (report) WriteFileAtomic(*report, RunReportJson(run));
  bool saved = false;
  try {
    if (save) {
      window.nextSaveFile = *save;
      form.files().NFSaveAsClick();
      saved = true;
    }
    if (exportTo) {
      DocumentParts parts = form.Parts();
      WriteExport(ExportSourceOf(parts), exportLayout, choice, *exportTo, session.ui(), window);
    }
  } catch (const std::exception& e) {
    PrintError(std::string("marvessa-cli: ") + e.what());
    if (saved) {
      session.Close();
    } else {
      KeepRows(session);
    }
    return 1;
  }
  const bool found = form.results().Count() > 0;
  session.Close();
  return found ? 0 : 3;
}

}  // namespace marvessa::cli
