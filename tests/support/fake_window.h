// A main window for tests: every view interface of the core, recording what the core did and
// answering dialogs from a script.
#pragma once

#include <algorithm>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include <map>
#include <set>

#include "app/uMain.h"

namespace marvessa::test {

class FakeWindow : public MainView {
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
  std::optional<std::string> AskOpenFile(const FileDialogSpec& request) override { return Answer(request); }
  std::optional<std::string> AskSaveFile(const FileDialogSpec& request) override { return Answer(request); }
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

  // ResultSelection
  bool IsSelected(int row) const override { return selected.contains(row); }
  int FirstSelected() const override { return selected.empty() ? -1 : *selected.begin(); }
  void ClearSelection() override { selected.clear(); }
  void SelectOne(int row) override { selected = {row}; }
  void SelectAll() override {
    selected.clear();
    for (int i = 0; i < rowCount; ++i) selected.insert(i);
  }
  std::vector<int> SelectedRows() const override { return {selected.begin(), selected.end()}; }
  std::set<int> selected;

  // ListScroller
  int ViewHeight() const override { return viewHeight; }
  int VisibleRowCount() const override { return visibleRows; }
  void ScrollBy(int pixels) override { scrolled += pixels; }
  int viewHeight = 200;
  int visibleRows = 10;
  int scrolled = 0;

  // SortMenu
  void SetSortItemChecked(int tag, bool on) override { sortChecked[tag] = on; }
  std::map<int, bool> sortChecked;

  // MessageBoxes: answers are taken in order; without one the default answer is given.
  MessageAnswer ShowMessage(const MessageSpec& message) override {
    messages.push_back(message);
    if (messageAnswers.empty()) return message.buttons == MessageButtons::YesNoCancel ? message.defaultAnswer : MessageAnswer::Ok;
    const MessageAnswer a = messageAnswers.front();
    messageAnswers.pop_front();
    return a;
  }
  std::vector<MessageSpec> messages;
  std::deque<MessageAnswer> messageAnswers;

  // UpdateDialogView
  void SetUpdateMessage(const std::string& text) override { updateMessage = text; }
  void SetUpdateButtonCaption(const std::string& text) override { updateButton = text; }
  void ShowUpdateDialog() override { updateVisible = true; }
  void HideUpdateDialog() override { updateVisible = false; }
  std::string updateMessage;
  std::string updateButton;
  bool updateVisible = false;

  // NewsLineView
  void SetNewsCaption(const std::string& text) override { newsCaption = text; }
  void SetNewsLink(const std::string& text) override { newsLink = text; }
  std::string newsCaption;
  std::string newsLink;

  // The rest of MainView
  void SetCaption(const std::string& text) override { caption = text; }
  void SetAnimationSource(const std::string& path) override { animationSource = path; }
  void LayOutStatusPanels() override { ++layouts; }
  std::string caption;
  std::string animationSource = "unset";
  int layouts = 0;

 private:
  std::optional<std::string> Answer(const FileDialogSpec& request) {
    dialogs.push_back(request);
    if (fileAnswers.empty()) return std::nullopt;
    auto a = fileAnswers.front();
    fileAnswers.pop_front();
    return a;
  }
};

}  // namespace marvessa::test
