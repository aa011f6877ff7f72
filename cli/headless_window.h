// The main window of the command line: it holds what a window would show, answers no dialog,
// and prints messages and the status line to stderr.
#pragma once

#include <array>
#include <string>

#include "app/ucommands.h"
#include "app/umessages.h"
#include "app/uview.h"
#include "results/uresults.h"
#include "search/ustatusline.h"

namespace marvessa::cli {

class HeadlessWindow : public StatusPanels,
                       public ScopeButtons,
                       public KeywordInput,
                       public CommandView,
                       public MessageBoxes,
                       public BusyCursor,
                       public FileDialogs,
                       public ResultView {
 public:
  void SetPanelText(int panel, const std::string& text) override { panels_[panel] = text; }
  // The five panels on one line, as the status bar shows them.
  std::string StatusLine() const;

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

  // Prints the text and gives the default answer.
  MessageAnswer ShowMessage(const MessageSpec& spec) override;
  void SetBusy(bool) override {}
  std::optional<std::string> AskOpenFile(const FileDialogSpec&) override { return std::nullopt; }
  std::optional<std::string> AskSaveFile(const FileDialogSpec&) override { return std::nullopt; }

  void SetRowCount(int) override {}
  void BeginUpdate() override {}
  void EndUpdate() override {}
  void Redraw() override {}

 private:
  std::array<std::string, 5> panels_{"就绪", " ", "未搜索:0", "已搜索:0", "邮址:0"};
  int scope_ = 0;
  std::string keyword_;
  Lines batch_;
};

}  // namespace marvessa::cli
