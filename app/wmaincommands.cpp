// The main window's command bindings: every action, the view switches, and the events of the
// keyword box, the lists, the page control and the news line, each run guarded.
#include "app/wabout.h"
#include "app/wmainwindow.h"
#include "options/woptions.h"
#include "results/wlist.h"
#include "search/wengineview.h"

namespace marvessa {

void MainWindow::OnTriggered(QAction* action, std::function<void()> handler) {
  connect(action, &QAction::triggered, this, [this, handler = std::move(handler)] { Guarded(handler); });
}

void MainWindow::ConnectCommands() {
  MainActions& a = *actions_;
  TMainForm& f = *form_;
  const auto record = [this](bool insertMode) {
    // "属性" shows a row: without a selected one it does nothing.
    if (!insertMode && lvlist()->FirstSelected() < 0) return;
    TMainForm& form = *form_;
    ShowRecordDialog(insertMode, {form.results(), *lvlist(), *lvlist(), form.document(), dialogs_.messages}, this);
  };

  OnTriggered(a.AFnew, [&f] { f.files().AFnewExecute(); });
  OnTriggered(a.AFOpen, [&f] { f.files().AFOpenExecute(); });
  OnTriggered(a.NFmerge, [&f] { f.files().NFmergeClick(); });
  OnTriggered(a.AFsave, [&f] { f.files().AFsaveExecute(); });
  OnTriggered(a.NFSaveAs, [&f] { f.files().NFSaveAsClick(); });
  OnTriggered(a.AFimport, [&f] { f.files().AFimportExecute(); });
  OnTriggered(a.AFexport, [&f] { f.files().AFexportExecute(); });
  for (int i = 0; i < TMru::kEntries; ++i) OnTriggered(a.NFfilename[i], [&f, i] { f.files().NFfilenameClick(i); });
  OnTriggered(a.NFexit, [this] { close(); });

  OnTriggered(a.AEcopy, [&f] { f.list().AEcopyExecute(); });
  OnTriggered(a.AEinsert, [record] { record(true); });
  OnTriggered(a.AEUpdate, [record] { record(false); });
  OnTriggered(a.AEDelete, [&f] { f.list().DeleteSelectedRows(); });
  OnTriggered(a.AEclear, [&f] { f.list().ClearCustomerList(); });
  OnTriggered(a.AESelectall, [&f] { f.list().SelectAllRows(); });
  OnTriggered(a.AEfilterrepeat, [&f] { f.list().FilterDuplicates(); });
  OnTriggered(a.NEfont, [this] { ShowFontDialog(); });

  OnTriggered(a.NVlist, [&f] { f.ShowPage(0); });
  OnTriggered(a.NVkeywords, [&f] { f.ShowPage(1); });
  OnTriggered(a.NVdisconnect, [&f, &a] { a.NVdisconnect->setChecked(f.NVdisconnectClick()); });
  OnTriggered(a.NVwinExit, [&f, &a] { a.NVwinExit->setChecked(f.NVwinExitClick()); });
  for (int key = 1; key <= 4; ++key) OnTriggered(a.NVsort[key - 1], [&f, key] { f.list().SortResults(key); });
  OnTriggered(a.AVoptions, [this] { ShowOptionsDialog(form_->settings(), form_->folders(), this); });

  OnTriggered(a.ASbegin, [&f] { f.controller().StartSearch(false); });
  OnTriggered(a.AScontinue, [&f] { f.controller().StartSearch(true); });
  OnTriggered(a.ASend, [&f] { f.controller().EndSearch(); });

  OnTriggered(a.ATemailto, [&f] { f.list().ATemailtoExecute(); });
  OnTriggered(a.ATbrowse, [&f] { f.list().ATbrowseExecute(); });
  OnTriggered(a.ATengines, [this] { ShowEngineStatus(); });
  OnTriggered(a.NTVupdate, [&f] { f.update().NTVupdateClick(); });

  OnTriggered(a.AHhelp, [&f] { f.AHhelpExecute(); });
  OnTriggered(a.AHhomepage, [&f] { f.AHhomepageExecute(); });
  OnTriggered(a.AHdownload, [&f] { f.AHdownloadExecute(); });
  OnTriggered(a.AHfeedback, [&f] { f.AHfeedbackExecute(); });
  OnTriggered(a.NHabout, [this] { ShowAboutBox(this); });
}

// Each switch shows or hides its bar, which keeps its place in the layout, and lays the status
// panels out again.
void MainWindow::ConnectViewSwitches() {
  const std::pair<QAction*, QWidget*> switches[] = {{actions_->NVtoolbar, coolBar_},
                                                    {actions_->NVstatusbar, status_},
                                                    {actions_->NVaddress, address_},
                                                    {actions_->NVsearchboxes, scan_}};
  for (const auto& [item, bar] : switches) {
    connect(item, &QAction::triggered, this, [this, bar = bar](bool checked) {
      bar->setVisible(checked);
      LayOutStatusPanels();
    });
  }
}

void MainWindow::ConnectLists() {
  TMainForm& f = *form_;
  address_->onEnter = [this] { Guarded([this] { form_->CBinputKeyDown(13); }); };
  address_->onUserChange = [&f] { f.files().CBinputChange(); };
  pages_->onBatchEdited = [&f] { f.files().CBinputChange(); };
  pages_->onPageChosen = [this](int page) { Guarded([this, page] { form_->ShowPage(page); }); };

  CustomerListView* list = lvlist();
  list->onDoubleClick = [this] { Guarded([this] { form_->list().ATbrowseExecute(); }); };
  list->onColumnClick = [this](int column) { Guarded([this, column] { form_->list().lvlistColumnClick(column); }); };
  QMenu* popup = actions_->CreateListMenu(list);
  actions_->BindListShortcuts(list);
  list->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(list, &QWidget::customContextMenuRequested, this,
          [list, popup](const QPoint& pos) { popup->popup(list->viewport()->mapToGlobal(pos)); });

  for (UrlListView* urls : {scan_->mmuncheck(), scan_->MMscan()}) {
    urls->onCopy = [this, urls] { Guarded([this, urls] { form_->list().PuCopyClick(urls->queue(), *urls); }); };
    urls->onBrowse = [this, urls] { Guarded([this, urls] { form_->list().PuBrowseClick(urls->queue(), *urls); }); };
  }
  news_->onClick = [this](const std::string& link) { Guarded([this, link] { form_->PLmsgClick(link); }); };
  status_->onClick = [this] { ShowEngineStatus(); };
}

void MainWindow::ShowEngineStatus() {
  if (!engines_)
    engines_ = new EngineStatusDialog(
        form_->run().engines, [this](const EngineRunRow& row) { Guarded([this, &row] { form_->OpenEngineRow(row); }); },
        this);
  engines_->show();
  engines_->raise();
}

void MainWindow::ShowFontDialog() {
  if (const std::optional<QFont> font = dialogs_.fonts.AskFont(lvlist()->font())) lvlist()->SetListFont(*font);
}

}  // namespace marvessa
