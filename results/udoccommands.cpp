#include "results/udoccommands.h"

#include "app/ufileio.h"
#include "results/uexport.h"
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
  p_.state.documentPath.clear();
  RunState& run = p_.document.run;
  run.SetProgress(0, 0, 0);
  run.SetKeywordIndex(0);
  run.Edit([](UrlQueue& level1, Lines& titles, UrlQueue& level2, SeenList&) {
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
    name = Trim(p_.state.documentPath);
    dialog.title = "另存为";
  }
  if (name.empty() || saveAs) {
    dialog.fileName = p_.document.keywords.KeywordText();
    if (IsBlankText(dialog.fileName)) dialog.fileName = "无标题";
    auto chosen = p_.dialogs.AskSaveFile(dialog);
    if (!chosen) return false;
    name = *chosen;
  }
  ShowStatus(p_.document.panels, "正在保存文件...");
  SaveDocument(p_.document, name);
  ShowStatus(p_.document.panels, p_.document.run.runStopped ? "就绪" : "正在搜索...");
  p_.mru.AddFile(name);
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
  if (path.empty()) path = p_.dialogs.AskOpenFile(dialog).value_or(std::string());
  if (!path.empty()) {
    if (!merge) {
      NewDocument();
      p_.state.documentNamed = true;
      p_.state.documentPath = path;
      p_.document.run.SetLevel1Cursor(0);
      p_.mru.AddFile(path);
    }
    ShowStatus(p_.document.panels, "正在" + dialog.title + "文件...");
    LoadDocument(p_.document, merge, path, p_.state);
    ShowStatus(p_.document.panels, "就绪");
    if (!merge) p_.state.documentModified = false;
  }
  ShowTotals();
}

void DocumentCommands::AFnewExecute() {
  NewDocument();
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
                              "网址文件(*.ulk;*.txt)|*.ulk;*.txt|Lindqua文件 (*.ulk)|*.ulk|文本文件(*.txt)|*.txt", {}};
  auto path = p_.dialogs.AskOpenFile(dialog);
  if (!path) return;
  ShowStatus(p_.document.panels, "正在" + dialog.title + "文件...");
  ImportUrlList(*path, p_.document.run, p_.document.ui, p_.cursor);
  ShowStatus(p_.document.panels, "就绪");
  ShowTotals();
}

void DocumentCommands::AFexportExecute() {
  const FileDialogSpec dialog{"导出", "txt", "文本文件(*.txt)|*.txt", p_.document.keywords.KeywordText()};
  auto path = p_.dialogs.AskSaveFile(dialog);
  if (!path) return;
  ShowStatus(p_.document.panels, "正在导出文件...");
  ExportResults(*path, p_.document.results, p_.settings, p_.document.ui, p_.cursor);
  ShowStatus(p_.document.panels, "就绪");
}

void DocumentCommands::RestoreAutosave() {
  if (!p_.settings.autosave || !FileExists(AutosavePath())) return;
  LoadDocument(p_.document, false, AutosavePath(), p_.state);
  ShowTotals();
}

bool DocumentCommands::FormCloseQuery() {
  if (!ConfirmSaveIfModified()) return false;
  DeleteFileIfExists(AutosavePath());
  return true;
}

}  // namespace marvessa
