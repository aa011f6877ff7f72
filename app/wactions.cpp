#include "app/wactions.h"

#include <QApplication>
#include <QStyle>

#include "base/wqttext.h"

namespace marvessa {

namespace {

QIcon StandardIcon(QStyle::StandardPixmap pixmap) { return QApplication::style()->standardIcon(pixmap); }

// A tool bar button shows the action's icon text under its icon.
void ForToolBar(QAction* action, const char16_t* caption, QStyle::StandardPixmap icon) {
  action->setIconText(QString::fromUtf16(caption));
  action->setIcon(StandardIcon(icon));
}

void AddAll(QMenu* menu, std::initializer_list<QAction*> actions) {
  for (QAction* a : actions) {
    if (a) {
      menu->addAction(a);
    } else {
      menu->addSeparator();
    }
  }
}

}  // namespace

QAction* MainActions::Make(const char16_t* caption, const QKeySequence& key) {
  auto* action = new QAction(QString::fromUtf16(caption), this);
  action->setShortcut(key);
  return action;
}

QAction* MainActions::MakeCheck(const char16_t* caption, bool checked) {
  QAction* action = Make(caption);
  action->setCheckable(true);
  action->setChecked(checked);
  return action;
}

MainActions::MainActions(QWidget* window) : QObject(window) {
  AFnew = Make(u"新建", QKeySequence(Qt::CTRL | Qt::Key_N));
  AFOpen = Make(u"打开(&O)...", QKeySequence(Qt::CTRL | Qt::Key_O));
  NFmerge = Make(u"合并...");
  AFsave = Make(u"保存", QKeySequence(Qt::CTRL | Qt::Key_S));
  NFSaveAs = Make(u"另存为(&A)...");
  AFimport = Make(u"导入(&I)...");
  AFexport = Make(u"导出(&E)...");
  for (int i = 0; i < TMru::kEntries; ++i) {
    NFfilename[i] = Make(u"");
    NFfilename[i]->setData(i);
  }
  mruSeparator = new QAction(this);
  mruSeparator->setSeparator(true);
  NFexit = Make(u"退出(&X)");

  AEcopy = Make(u"复制邮址", QKeySequence(Qt::CTRL | Qt::Key_C));
  AEinsert = Make(u"增加", QKeySequence(Qt::CTRL | Qt::Key_I));
  AEUpdate = Make(u"属性", QKeySequence(Qt::CTRL | Qt::Key_U));
  AEDelete = Make(u"删除", QKeySequence(Qt::CTRL | Qt::Key_Delete));
  AEclear = Make(u"全部清除");
  AESelectall = Make(u"全选");
  AEfilterrepeat = Make(u"过滤重复邮址");
  NEfont = Make(u"字体...");

  NVtoolbar = MakeCheck(u"工具栏(&T)", true);
  NVstatusbar = MakeCheck(u"状态栏(&S)", true);
  NVaddress = MakeCheck(u"地址拦", true);
  NVsearchboxes = MakeCheck(u"搜索框", true);
  NVlist = MakeCheck(u"客户列表", true);
  NVkeywords = MakeCheck(u"批量搜索", false);
  NVdisconnect = MakeCheck(u"自动断网", false);
  NVwinExit = MakeCheck(u"自动关机", false);
  const char16_t* const sortCaptions[] = {u"按邮址", u"按网址", u"按标题", u"按服务器"};
  for (int i = 0; i < 4; ++i) {
    NVsort[i] = MakeCheck(sortCaptions[i], false);
    NVsort[i]->setData(i + 1);
  }
  AVoptions = Make(u"选项(&O)...");

  ASbegin = Make(u"开始", QKeySequence(Qt::Key_F9));
  AScontinue = Make(u"继续");
  ASend = Make(u"结束");

  ATemailto = Make(u"写信...");
  ATbrowse = Make(u"浏览...");
  ATengines = Make(u"搜索引擎状态...");
  NTVupdate = Make(u"升级引擎...");

  AHhelp = Make(u"使用说明");
  AHhomepage = Make(u"主页");
  AHdownload = Make(u"升级信息");
  AHfeedback = Make(u"服务反馈");
  NHabout = Make(u"关于...");

  ForToolBar(AFnew, u"新建", QStyle::SP_FileIcon);
  ForToolBar(AFOpen, u" 打开 ", QStyle::SP_DialogOpenButton);
  ForToolBar(AFsave, u"保存", QStyle::SP_DialogSaveButton);
  ForToolBar(AFexport, u"导出", QStyle::SP_FileDialogToParent);
  ForToolBar(AEUpdate, u"属性", QStyle::SP_FileDialogDetailedView);
  ForToolBar(AEDelete, u"删除", QStyle::SP_TrashIcon);
  ForToolBar(ASbegin, u"开始", QStyle::SP_MediaPlay);
  ForToolBar(AScontinue, u"继续", QStyle::SP_MediaSeekForward);
  ForToolBar(ASend, u"结束", QStyle::SP_MediaStop);
  ForToolBar(AVoptions, u"选项", QStyle::SP_FileDialogContentsView);
  ForToolBar(AHhomepage, u"主页", QStyle::SP_DirHomeIcon);

  byCommand_ = {{Command::ASbegin, ASbegin},       {Command::AScontinue, AScontinue}, {Command::ASend, ASend},
                {Command::AEcopy, AEcopy},         {Command::AEinsert, AEinsert},     {Command::AEUpdate, AEUpdate},
                {Command::AEDelete, AEDelete},     {Command::AESelectall, AESelectall}, {Command::AEclear, AEclear},
                {Command::NEfont, NEfont},         {Command::NVlist, NVlist},         {Command::NVkeywords, NVkeywords}};
}

void MainActions::FillMenuBar(QMenuBar* bar) {
  fileMenu = bar->addMenu(QStringLiteral(u"文件(&F)"));
  // The first recent-file item stands at position 10 of the menu.
  AddAll(fileMenu, {AFnew, AFOpen, NFmerge, nullptr, AFsave, NFSaveAs, nullptr, AFimport, AFexport, nullptr});
  for (QAction* item : NFfilename) fileMenu->addAction(item);
  fileMenu->addAction(mruSeparator);
  fileMenu->addAction(NFexit);

  AddAll(bar->addMenu(QStringLiteral(u"编辑(&E)")),
         {AEcopy, nullptr, AEinsert, AEUpdate, AEDelete, AEclear, AESelectall, nullptr, AEfilterrepeat, nullptr, NEfont});

  QMenu* view = bar->addMenu(QStringLiteral(u"查看(&V)"));
  AddAll(view, {NVtoolbar, NVstatusbar, NVaddress, NVsearchboxes, nullptr, NVlist, NVkeywords, nullptr, NVdisconnect,
                NVwinExit, nullptr});
  QMenu* sort = view->addMenu(QStringLiteral(u"排序"));
  for (QAction* item : NVsort) sort->addAction(item);
  AddAll(view, {nullptr, AVoptions});

  AddAll(bar->addMenu(QStringLiteral(u"搜索(&S)")), {ASbegin, AScontinue, ASend});
  AddAll(bar->addMenu(QStringLiteral(u"工具(&T)")), {ATemailto, ATbrowse, nullptr, ATengines, NTVupdate});
  AddAll(bar->addMenu(QStringLiteral(u"帮助(&H)")), {AHhelp, AHhomepage, AHdownload, AHfeedback, nullptr, NHabout});
}

QMenu* MainActions::CreateListMenu(QWidget* parent) {
  auto* menu = new QMenu(parent);
  AddAll(menu, {AEcopy, nullptr, AEinsert, AEUpdate, AEDelete, AEclear, AESelectall, nullptr, AEfilterrepeat, nullptr,
                ATemailto, ATbrowse});
  menu->setDefaultAction(ATbrowse);
  return menu;
}

void MainActions::BindListShortcuts(QWidget* list) {
  for (QAction* a : {AEcopy, AEinsert, AEUpdate, AEDelete}) {
    a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    list->addAction(a);
  }
}

void MainActions::SetEntryItem(int i, const std::string& caption, bool visible) {
  NFfilename[i]->setText(FromGbk(caption));
  NFfilename[i]->setVisible(visible);
}

}  // namespace marvessa
