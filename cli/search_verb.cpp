#include "app/ufileio.h"
#include "cli/export_verb.h"
#include "cli/headless_session.h"
#include "cli/verbs.h"

namespace marvessa::cli {

namespace {

constexpr const char* kUsage =
    "search [--scope N] [--batch FILE] [--import FILE] [--open DOC] [--continue] [--save DOC] [--export FILE]"
    " [--format text|csv|xlsx|jsonl|seeds] [--encoding utf-8|gbk] [--layout TEXT] [KEYWORD]";

// The batch keywords of a UTF-8 text file, one keyword line per line.
Lines BatchLines(const std::string& path) {
  return SplitLines(Utf8ToGbk(ReadRequiredFile(path)));
}

}  // namespace

int SearchVerb(Args& args) {
  const auto scope = args.TakeInt("--scope");
  const auto batch = args.Take("--batch");
  const auto import = args.Take("--import");
  const auto open = args.Take("--open");
  const bool continueRun = args.TakeFlag("--continue");
  const auto save = args.Take("--save");
  auto exportTo = args.Take("--export");
  const auto layout = args.Take("--layout");
  const ExportChoice choice = TakeExportChoice(args, exportTo.value_or("-"));
  const auto words = args.RestUpTo(1, kUsage);
  if (!save && !exportTo) exportTo = "-";

  LinuxFolders folders;
  HeadlessSession session(folders);
  TMainForm& form = session.form();
  HeadlessWindow& window = session.window();
  if (open) form.files().OpenCommand(false, *open);
  if (import) {
    window.nextOpenFile = *import;
    form.files().AFimportExecute();
  }
  if (!words.empty()) window.SetKeywordText(ArgToGbk(words[0]));
  if (batch) window.SetBatchLines(BatchLines(*batch));
  if (scope) SelectScope(window, *scope);
  if (layout) form.settings().exportstring = ArgToGbk(*layout);

  if (!session.RunSearch(continueRun)) throw UsageError{"nothing to search: give a keyword, --batch or --import"};
  if (save) {
    window.nextSaveFile = *save;
    form.files().NFSaveAsClick();
  }
  if (exportTo) {
    DocumentParts parts = form.Parts();
    WriteExport(ExportSourceOf(parts), form.settings(), choice, *exportTo, session.ui(), window);
  }
  const bool found = form.results().Count() > 0;
  session.Close();
  return found ? 0 : 3;
}

}  // namespace marvessa::cli
