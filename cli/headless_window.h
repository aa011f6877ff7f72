// The main window of the command line: it holds what a window would show, takes the file
// names of its dialogs from the command line, and prints messages to stderr.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/uMain.h"

namespace marvessa::cli {

class HeadlessWindow : public MainView {
 public:
  // The five panels on one line, as the status bar shows them.
  std::string StatusLine() const;
  // What the next open or save dialog answers; a dialog without an answer is cancelled.
  std::optional<std::string> nextOpenFile;
  std::optional<std::string> nextSaveFile;
  // Every message shown, for the exit status.
  std::vector<std::string> messages;
  // The answer to the next question; without one a question gets its default answer.
  std::optional<MessageAnswer> nextAnswer;

  void SetPanelText(int panel, const std::string& text) override { panels_[panel] = text; }

  bool IsChecked(int button) const override { return button == scope_; }
  void Check(int button) override { scope_ = button; }

  std::string KeywordText() const override { return keyword_; }
  void SetKeywordText(const std::string& text) override { keyword_ = text; }
  Lines BatchLines() const override { return batch_; }
  void SetBatchLines(const Lines& lines) override { batch_ = lines; }
  void FocusKeywordBox() override {}

  void SetCommandEnabled(Command, bool) override {}
  void SetCommandChecked(Command, bool) override {}
  void SetKeywordBoxEnabled(bool) override {}
  void ShowPageControl(int) override {}
  void SetAnimationRunning(bool) override {}

  // Prints the text and gives the answer.
  MessageAnswer ShowMessage(const MessageSpec& message) override;
  std::optional<std::string> AskOpenFile(const FileDialogSpec&) override { return std::exchange(nextOpenFile, {}); }
  std::optional<std::string> AskSaveFile(const FileDialogSpec&) override { return std::exchange(nextSaveFile, {}); }
  void SetBusy(bool) override {}

  void SetEntryItem(int, const std::string&, bool) override {}
  void SetEntryItemVisible(int, bool) override {}
  void SetSeparatorVisible(bool) override {}

  void SetRowCount(int) override {}
  void BeginUpdate() override {}
  void EndUpdate() override {}
  void Redraw() override {}

  // Nothing is selected on the command line.
  bool IsSelected(int) const override { return false; }
  int FirstSelected() const override { return -1; }
  void ClearSelection() override {}
  void SelectOne(int) override {}
  void SelectAll() override {}
  std::vector<int> SelectedRows() const override { return {}; }
  int ViewHeight() const override { return 0; }
  int VisibleRowCount() const override { return 0; }
  void ScrollBy(int) override {}
  void SetSortItemChecked(int, bool) override {}

  void SetUpdateMessage(const std::string&) override {}
  void SetUpdateButtonCaption(const std::string&) override {}
  void ShowUpdateDialog() override {}
  void HideUpdateDialog() override {}
  void SetNewsCaption(const std::string&) override {}
  void SetNewsLink(const std::string&) override {}

  void SetCaption(const std::string&) override {}
  void SetAnimationSource(const std::string&) override {}
  void LayOutStatusPanels() override {}

 private:
  std::array<std::string, 5> panels_{"就绪", " ", "未搜索:0", "已搜索:0", "邮址:0"};
  int scope_ = 0;
  std::string keyword_;
  Lines batch_;
};

}  // namespace marvessa::cli
