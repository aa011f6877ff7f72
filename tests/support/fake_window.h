// A main window for tests: every view interface of the core, recording what the core did and
// answering dialogs from a script.
#pragma once

#include <algorithm>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include <map>

#include "app/uMru.h"
#include "app/ucommands.h"
#include "app/uview.h"
#include "results/uresults.h"
#include "search/ustatusline.h"

namespace marvessa::test {

class FakeWindow : public StatusPanels,
                   public ScopeButtons,
                   public KeywordInput,
                   public FileDialogs,
                   public BusyCursor,
                   public MruMenu,
                   public ResultView,
                   public CommandView {
 public:
  // StatusPanels
  void SetPanelText(int panel, const std::string& text) override { panels[panel] = text; }
  std::string panels[5] = {"就绪", " ", "未搜索:0", "已搜索:0", "邮址:0"};

  // ScopeButtons
  bool IsChecked(int b) const override { return scope[b]; }
  void Check(int b) override {
    std::fill(std::begin(scope), std::end(scope), false);
    scope[b] = true;
  }
  bool scope[8] = {true};

  // KeywordInput
  std::string KeywordText() const override { return keyword; }
  void SetKeywordText(const std::string& text) override { keyword = text; }
  Lines BatchLines() const override { return batch; }
  void SetBatchLines(const Lines& lines) override { batch = lines; }
  void FocusKeywordBox() override { ++keywordFocused; }
  std::string keyword;
  Lines batch;
  int keywordFocused = 0;

  // FileDialogs: answers are taken in order; an empty answer is a cancel.
  std::optional<std::string> AskOpenFile(const FileDialogSpec& spec) override { return Answer(spec); }
  std::optional<std::string> AskSaveFile(const FileDialogSpec& spec) override { return Answer(spec); }
  std::deque<std::optional<std::string>> fileAnswers;
  std::vector<FileDialogSpec> dialogs;

  // BusyCursor
  void SetBusy(bool b) override { busy = b; }
  bool busy = false;

  // MruMenu
  void SetEntryItem(int i, const std::string& caption, bool visible) override {
    mruCaptions[i] = caption;
    mruVisible[i] = visible;
  }
  void SetEntryItemVisible(int i, bool visible) override { mruVisible[i] = visible; }
  void SetSeparatorVisible(bool visible) override { mruSeparator = visible; }
  std::string mruCaptions[4];
  bool mruVisible[4] = {true, true, true, true};
  bool mruSeparator = true;

  // ResultView
  void SetRowCount(int count) override { rowCount = count; }
  void BeginUpdate() override { ++updating; }
  void EndUpdate() override { --updating; }
  void Redraw() override { ++redraws; }
  int rowCount = 0;
  int updating = 0;
  int redraws = 0;

  // CommandView
  void SetCommandEnabled(Command c, bool e) override { enabled[c] = e; }
  void SetCommandChecked(Command c, bool on) override { checked[c] = on; }
  void SetKeywordBoxEnabled(bool e) override { keywordBoxEnabled = e; }
  void ShowPageControl(int p) override { page = p; }
  void SetAnimationRunning(bool r) override { animating = r; }
  std::map<Command, bool> enabled;
  std::map<Command, bool> checked;
  bool keywordBoxEnabled = true;
  int page = 0;
  bool animating = false;

 private:
  std::optional<std::string> Answer(const FileDialogSpec& spec) {
    dialogs.push_back(spec);
    if (fileAnswers.empty()) return std::nullopt;
    auto a = fileAnswers.front();
    fileAnswers.pop_front();
    return a;
  }
};

}  // namespace marvessa::test
