#include "results/udoccommands.h"

#include "base/ufileio.h"
#include "base/upath.h"
#include "results/uexporter.h"
#include "results/uimport.h"

namespace marvessa {

void DocumentCommands::ShowTotals() {
  marvessa::ShowTotals(p_.document.panels, p_.document.run, p_.document.results.Count());
}

bool DocumentCommands::ConfirmSaveIfModified() {
  if (!p_.state.documentModified) return true;
  const MessageAnswer answer = p_.messages.ShowMessage(
      {" 是否需要保存当前搜索内容?      ", "提示", MessageIcon::Question, MessageButtons::YesNoCancel, MessageAnswer::Cancel});
  if (answer == MessageAnswer::Cancel) return false;
  if (answer == MessageAnswer::Yes) return SaveCommand(false);
  p_.state.documentModified = false;
  return true;
}

void DocumentCommands::NewDocument() {
  if (!ConfirmSaveIfModified()) return;
  p_.clearCustomerList();
  p_.document.keywords.SetKeywordText({});
  p_.settings.currentScope = 0;
  SelectScope(p_.document.scope, 0);
  p_.state.documentNamed = false;
  p_.state.documentPath = std::string();
  RunState& run = p_.document.run;
  run.SetProgress(0, 0, 0);
  run.SetKeywordIndex(0);
  run.Edit([](UrlQueue& level1, PackedLines& titles, UrlQueue& level2, SeenList&) {
    level1.Clear();
    titles.clear();
    level2.Clear();
  });
  p_.document.keywords.SetBatchLines({});
  p_.state.documentModified = false;
  ShowPage(p_.commands, 0);
}

bool DocumentCommands::SaveCommand(bool saveAs) {
  FileDialogSpec dialog{"保存", "mvx", "Marvessa(*.mvx)|*.mvx", {}};
  std::string name;
  if (!saveAs) {
    name = Trim(p_.state.documentPath.get());
    dialog.title = "另存为";
  }
  if (name.empty() || saveAs) {
    const std::string keyword = p_.document.keywords.KeywordText();
    dialog.fileName = FileNameFromText(IsBlankText(keyword) ? "无标题" : keyword);
    auto chosen = AskFile(dialog, true);
    if (!chosen) return false;
    name = *chosen;
  }
  ShowStatus(p_.document.panels, "正在保存文件...");
  SaveDocument(p_.document, name);
  ShowStatus(p_.document.panels, p_.document.run.runStopped ? "就绪" : "正在搜索...");
  p_.mru.AddFile(name);
  lastFolder_ = FolderOf(name);
  p_.state.documentNamed = true;
  p_.state.documentPath = name;
  p_.state.documentModified = false;
  return true;
}

void DocumentCommands::OpenCommand(bool merge, const std::string& requested) {
  std::string path = FileExists(requested) ? requested : std::string();
  FileDialogSpec dialog{"合并", "mvx", "Marvessa (*.mvx)|*.mvx", {}};
  if (!merge) {
    if (!ConfirmSaveIfModified()) return;
    dialog.title = "打开";
  }
  if (path.empty()) path = AskFile(dialog, false).value_or(std::string());
  if (!path.empty()) LoadPath(merge, path, dialog.title);
  ShowTotals();
}

void DocumentCommands::LoadPath(bool merge, const std::string& path, const std::string& title) {
  if (!merge) {
    NewDocument();
    p_.state.documentNamed = true;
    p_.state.documentPath = path;
    p_.document.run.SetLevel1Cursor(0);
    p_.mru.AddFile(path);
  }
  lastFolder_ = FolderOf(path);
  ShowStatus(p_.document.panels, "正在" + title + "文件...");
  LoadDocument(p_.document, merge, path, p_.state);
  ShowStatus(p_.document.panels, "就绪");
  if (!merge) p_.state.documentModified = false;
}

void DocumentCommands::OpenFromCommandLine(const std::string& path) {
  // Rows of an untitled document (at start-up, those of an interrupted run's autosave) are in
  // no file the user chose: they give way only after the save question.
  if (!p_.state.documentNamed && p_.document.results.Count() > 0) p_.state.documentModified = true;
  if (!ConfirmSaveIfModified()) return;
  LoadPath(false, AbsolutePath(path), "打开");
  ShowTotals();
}

std::optional<std::string> DocumentCommands::AskFile(FileDialogSpec dialog, bool save) {
  dialog.folder = lastFolder_;
  std::optional<std::string> path = save ? p_.dialogs.AskSaveFile(dialog) : p_.dialogs.AskOpenFile(dialog);
  if (path) lastFolder_ = FolderOf(*path);
  return path;
}

void DocumentCommands::AFnewExecute() {
  NewDocument();
  ShowTotals();
  p_.document.keywords.FocusKeywordBox();
}

void DocumentCommands::AFsaveExecute() {
  SaveCommand(false);
  DeleteFileIfExists(AutosavePath());
}

void DocumentCommands::NFSaveAsClick() {
  SaveCommand(true);
  DeleteFileIfExists(AutosavePath());
}

void DocumentCommands::AFimportExecute() {
  const FileDialogSpec dialog{"导入网址", "ulk",
                              "网址文件(*.ulk;*.txt)|*.ulk;*.txt|Lindqua文件 (*.ulk)|*.ulk|文本文件(*.txt)|*.txt|"
                              "JSON Lines 结果(*.jsonl)|*.jsonl",
                              {}};
  auto path = AskFile(dialog, false);
  if (!path) return;
  ShowStatus(p_.document.panels, "正在" + dialog.title + "文件...");
  ImportFile(*path, p_.document.results, p_.document.run, p_.document.ui, p_.cursor);
  ShowStatus(p_.document.panels, "就绪");
  ShowTotals();
}

void DocumentCommands::AFexportExecute() {
  const FileDialogSpec dialog{"导出", "txt",
                              "文本文件(*.txt)|*.txt|CSV 文件(*.csv)|*.csv|Excel 工作簿(*.xlsx)|*.xlsx|"
                              "JSON Lines 文件(*.jsonl)|*.jsonl",
                              FileNameFromText(p_.document.keywords.KeywordText())};
  auto path = AskFile(dialog, true);
  if (!path) return;
  ShowStatus(p_.document.panels, "正在导出文件...");
  const auto exporter = MakeExporter(ExportFormatForPath(*path), TextEncoding::Utf8, p_.settings);
  ExportToFile(*path, *exporter, ExportSourceOf(p_.document), p_.document.ui, p_.cursor);
  ShowStatus(p_.document.panels, "就绪");
}

void DocumentCommands::RestoreAutosave() {
  if (!p_.settings.autosave || !FileExists(AutosavePath())) return;
  LoadDocument(p_.document, false, AutosavePath(), p_.state);
  // The rows of an interrupted run are in no file the user chose: a close asks before they go.
  p_.state.documentModified = true;
  ShowTotals();
}

bool DocumentCommands::FormCloseQuery() {
  if (!ConfirmSaveIfModified()) return false;
  DeleteFileIfExists(AutosavePath());
  return true;
}

}  // namespace marvessa
