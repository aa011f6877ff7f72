// The desktop main window: a QMainWindow made of the parts below, over TMainForm, which holds
// the window's logic. The window is the core's MainView; it forwards each view interface to the
// part that shows it.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QSplitter>
#include <functional>
#include <memory>

#include "app/uMain.h"
#include "app/wactions.h"
#include "app/waddressbar.h"
#include "app/wcoolbar.h"
#include "app/wpages.h"
#include "app/wstatusline.h"
#include "base/wdialogs.h"
#include "engines/wnewsline.h"
#include "engines/wupdate.h"
#include "search/wsearchboxes.h"

namespace marvessa {

// The modal dialogs the window asks its questions with; tests give scripted ones.
class EngineStatusDialog;

struct WindowDialogs {
  MessageBoxes& messages;
  FileDialogs& files;
  FontDialogs& fonts;
};

class MainWindow : public QMainWindow, public MainView {
 public:
  static constexpr int kWidth = 616;
  static constexpr int kHeight = 410;
  static constexpr int kSplitterWidth = 3;

  // Builds the window and runs the start-up sequence.
  MainWindow(const MainPlatform& platform, const WindowDialogs& dialogs);
  // Runs the shut-down sequence.
  ~MainWindow() override;

  TMainForm& form() { return *form_; }
  // The progress dialog of the engine update; its button goes to the update service.
  void AttachUpdateDialog(TdlgUpdate* dialog);
  // Called once a close has been accepted.
  std::function<void()> onClosed;

  MainActions& actions() { return *actions_; }
  CoolBar* coolBar() const { return coolBar_; }
  AddressBar* addressBar() const { return address_; }
  SearchBoxes* searchBoxes() const { return scan_; }
  QSplitter* Spllist() const { return Spllist_; }
  PageControl* pages() const { return pages_; }
  CustomerListView* lvlist() const { return pages_->lvlist(); }
  NewsLine* PLmsg() const { return news_; }
  StatusLine* statusLine() const { return status_; }
  // Puts the news line over the tab row, its left edge tied to the splitter.
  void PlaceNewsLine();

  // StatusPanels
  void SetPanelText(int panel, const std::string& text) override { status_->SetPanelText(panel, text); }
  // ScopeButtons
  bool IsChecked(int button) const override { return address_->IsChecked(button); }
  void Check(int button) override { address_->Check(button); }
  // KeywordInput
  std::string KeywordText() const override { return address_->KeywordText(); }
  void SetKeywordText(const std::string& text) override { address_->SetKeywordText(text); }
  Lines BatchLines() const override { return pages_->BatchLines(); }
  void SetBatchLines(const Lines& lines) override { pages_->SetBatchLines(lines); }
  void FocusKeywordBox() override { address_->keywordBox()->setFocus(); }
  // CommandView
  void SetCommandEnabled(Command command, bool enabled) override { actions_->SetCommandEnabled(command, enabled); }
  void SetCommandChecked(Command command, bool checked) override { actions_->SetCommandChecked(command, checked); }
  void SetKeywordBoxEnabled(bool enabled) override { address_->keywordBox()->setEnabled(enabled); }
  void ShowPageControl(int page) override;
  void SetAnimationRunning(bool running) override { coolBar_->animation()->SetRunning(running); }
  // MessageBoxes, FileDialogs, BusyCursor
  MessageAnswer ShowMessage(const MessageSpec& request) override { return dialogs_.messages.ShowMessage(request); }
  std::optional<std::string> AskOpenFile(const FileDialogSpec& request) override { return dialogs_.files.AskOpenFile(request); }
  std::optional<std::string> AskSaveFile(const FileDialogSpec& request) override { return dialogs_.files.AskSaveFile(request); }
  void SetBusy(bool busy) override { busy_.SetBusy(busy); }
  // MruMenu
  void SetEntryItem(int i, const std::string& caption, bool visible) override {
    actions_->SetEntryItem(i, caption, visible);
  }
  void SetEntryItemVisible(int i, bool visible) override { actions_->SetEntryItemVisible(i, visible); }
  void SetSeparatorVisible(bool visible) override { actions_->SetSeparatorVisible(visible); }
  // ResultView, ResultSelection, ListScroller
  void SetRowCount(int count) override { lvlist()->SetRowCount(count); }
  void BeginUpdate() override { lvlist()->BeginUpdate(); }
  void EndUpdate() override { lvlist()->EndUpdate(); }
  void Redraw() override { lvlist()->Redraw(); }
  bool IsSelected(int row) const override { return lvlist()->IsSelected(row); }
  int FirstSelected() const override { return lvlist()->FirstSelected(); }
  void ClearSelection() override { lvlist()->ClearSelection(); }
  void SelectOne(int row) override { lvlist()->SelectOne(row); }
  void SelectAll() override { lvlist()->SelectAll(); }
  std::vector<int> SelectedRows() const override { return lvlist()->SelectedRows(); }
  int ViewHeight() const override { return lvlist()->ViewHeight(); }
  int VisibleRowCount() const override { return lvlist()->VisibleRowCount(); }
  void ScrollBy(int pixels) override { lvlist()->ScrollBy(pixels); }
  // SortMenu
  void SetSortItemChecked(int tag, bool checked) override { actions_->SetSortItemChecked(tag, checked); }
  // UpdateDialogView: nothing to show before the dialog is attached.
  void SetUpdateMessage(const std::string& text) override;
  void SetUpdateButtonCaption(const std::string& caption) override;
  void ShowUpdateDialog() override;
  void HideUpdateDialog() override;
  // NewsLineView
  void SetNewsCaption(const std::string& caption) override { news_->SetNewsCaption(caption); }
  void SetNewsLink(const std::string& link) override { news_->SetNewsLink(link); }
  // The rest of MainView
  void SetCaption(const std::string& caption) override;
  void SetAnimationSource(const std::string& aviPath) override { coolBar_->animation()->SetSource(aviPath); }
  void LayOutStatusPanels() override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildParts();
  void ConnectCommands();
  void ConnectViewSwitches();
  void ConnectLists();
  // Runs a command handler: an error escaping it is shown, and the program goes on.
  void Guarded(const std::function<void()>& handler) { RunGuarded(dialogs_.messages, handler); }
  void OnTriggered(QAction* action, std::function<void()> handler);
  void ShowFontDialog();
  // The engine status view, made at its first showing and kept.
  void ShowEngineStatus();

  WindowDialogs dialogs_;
  QtBusyCursor busy_;
  std::unique_ptr<TMainForm> form_;
  MainActions* actions_ = nullptr;
  CoolBar* coolBar_ = nullptr;
  AddressBar* address_ = nullptr;
  QWidget* body_ = nullptr;
  SearchBoxes* scan_ = nullptr;
  QSplitter* Spllist_ = nullptr;
  PageControl* pages_ = nullptr;
  NewsLine* news_ = nullptr;
  StatusLine* status_ = nullptr;
  EngineStatusDialog* engines_ = nullptr;
  QPointer<TdlgUpdate> updateDialog_;
};

}  // namespace marvessa
