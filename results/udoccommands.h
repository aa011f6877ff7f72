// The file commands of the main window: new, open, merge, save, save as, the recent files, the
// save question, import and export, and the autosave file.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "base/uMru.h"
#include "base/ucommands.h"
#include "base/ufolders.h"
#include "base/uglobal.h"
#include "base/umessages.h"
#include "results/ufile.h"

namespace marvessa {

struct DocumentCommandParts {
  DocumentParts document;
  DocumentState& state;
  Settings& settings;
  const Folders& folders;
  TMru& mru;
  FileDialogs& dialogs;
  MessageBoxes& messages;
  CommandView& commands;
  BusyCursor& cursor;
  // Empties the rows, the list view and the seen-address list.
  std::function<void()> clearCustomerList;
};

class DocumentCommands {
 public:
  explicit DocumentCommands(DocumentCommandParts parts) : p_(std::move(parts)) {}

  // The save question, asked only for a modified document; false when the user cancelled it,
  // or answered "是" and then cancelled the file dialog, so that nothing unsaved is dropped.
  bool ConfirmSaveIfModified();
  void NewDocument();
  // False when the user cancelled the file dialog. A failed save raises FileError.
  bool SaveCommand(bool saveAs);
  // Opens (merge false) or merges the document at path, or one chosen in the open dialog when
  // no file exists at path.
  void OpenCommand(bool merge, const std::string& path);
  // Opens the document named when the program was started (relative to the working folder);
  // a path where no file is yet gives an empty document that will be saved there.
  void OpenFromCommandLine(const std::string& path);

  void AFnewExecute();
  void AFOpenExecute() { OpenCommand(false, {}); }
  void NFmergeClick() { OpenCommand(true, {}); }
  void NFfilenameClick(int entry) { OpenCommand(false, p_.mru.GetFile(entry)); }
  void AFsaveExecute();
  void NFSaveAsClick();
  void AFimportExecute();
  void AFexportExecute();
  // The user changed the keyword box, the batch keywords or the scope.
  void CBinputChange() { p_.state.documentModified = true; }

  std::string AutosavePath() const { return p_.folders.ProgramFolder() + kAutosaveFileName; }
  // Start-up: reopens an autosaved document when autosave is on; it stays untitled and modified.
  void RestoreAutosave();
  // Writes the document to the autosave file, to keep rows that could not be saved elsewhere.
  void SaveAutosave() { SaveDocument(p_.document, AutosavePath()); }
  // Closing the window: false keeps it open; otherwise the autosave file is deleted.
  bool FormCloseQuery();

 private:
  void ShowTotals();
  // The steps of an open or merge once the path is known; title is "打开" or "合并".
  void LoadPath(bool merge, const std::string& path, const std::string& title);
  // Every file dialog starts in the folder used last for a document, an import or an export.
  std::optional<std::string> AskFile(FileDialogSpec dialog, bool save);

  DocumentCommandParts p_;
  std::string lastFolder_;
};

}  // namespace marvessa
