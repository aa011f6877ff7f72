// Every command of the main window as a Qt action, with the menus that show them: the main menu,
// the customer list's pop-up menu, the recent-file items and the sort check items.
#pragma once

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QObject>
#include <array>
#include <map>

#include "base/uMru.h"
#include "base/ucommands.h"
#include "results/ulistcommands.h"

namespace marvessa {

class MainActions : public QObject, public MruMenu, public SortMenu {
 public:
  explicit MainActions(QWidget* window);

  // The main menu MMainMenu.
  void FillMenuBar(QMenuBar* bar);
  // The customer list's pop-up menu MPopupMenu; "浏览..." is its default item.
  QMenu* CreateListMenu(QWidget* parent);
  // The shortcuts of the customer-list commands act only while the list has the focus, so that
  // a key pressed in another list never copies or deletes customer rows.
  void BindListShortcuts(QWidget* list);

  QAction* Action(Command command) const { return byCommand_.at(command); }
  void SetCommandEnabled(Command command, bool enabled) { Action(command)->setEnabled(enabled); }
  void SetCommandChecked(Command command, bool checked) { Action(command)->setChecked(checked); }

  // MruMenu
  void SetEntryItem(int i, const std::string& caption, bool visible) override;
  void SetEntryItemVisible(int i, bool visible) override { NFfilename[i]->setVisible(visible); }
  void SetSeparatorVisible(bool visible) override { mruSeparator->setVisible(visible); }
  // SortMenu
  void SetSortItemChecked(int tag, bool checked) override { NVsort[tag - 1]->setChecked(checked); }

  QMenu* fileMenu = nullptr;

  // 文件(&F)
  QAction* AFnew;
  QAction* AFOpen;
  QAction* NFmerge;
  QAction* AFsave;
  QAction* NFSaveAs;
  QAction* AFimport;
  QAction* AFexport;
  std::array<QAction*, TMru::kEntries> NFfilename;
  QAction* mruSeparator;
  QAction* NFexit;
  // 编辑(&E)
  QAction* AEcopy;
  QAction* AEinsert;
  QAction* AEUpdate;
  QAction* AEDelete;
  QAction* AEclear;
  QAction* AESelectall;
  QAction* AEfilterrepeat;
  QAction* NEfont;
  // 查看(&V)
  QAction* NVtoolbar;
  QAction* NVstatusbar;
  QAction* NVaddress;
  QAction* NVsearchboxes;
  QAction* NVlist;
  QAction* NVkeywords;
  QAction* NVdisconnect;
  QAction* NVwinExit;
  std::array<QAction*, 4> NVsort;  // 按邮址, 按网址, 按标题, 按服务器: tags 1..4
  QAction* AVoptions;
  // 搜索(&S)
  QAction* ASbegin;
  QAction* AScontinue;
  QAction* ASend;
  // 工具(&T)
  QAction* ATemailto;
  QAction* ATbrowse;
  QAction* ATengines;
  QAction* NTVupdate;
  // 帮助(&H)
  QAction* AHhelp;
  QAction* AHhomepage;
  QAction* AHdownload;
  QAction* AHfeedback;
  QAction* NHabout;

 private:
  QAction* Make(const char16_t* caption, const QKeySequence& key = {});
  QAction* MakeCheck(const char16_t* caption, bool checked);

  std::map<Command, QAction*> byCommand_;
};

}  // namespace marvessa
