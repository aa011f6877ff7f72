// The main window's layout, view switches, page switch, news line and command bindings.
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

#include "search/wengineview.h"
#include "tests/gui/qt_driving.h"
#include "tests/gui/windowfixture.h"

namespace marvessa::test {

namespace {

QStringList Texts(const QList<QAction*>& actions) {
  QStringList texts;
  for (const QAction* a : actions) texts << (a->isSeparator() ? QStringLiteral("|") : a->text());
  return texts;
}

QList<int> PanelWidths(const MainWindow& w) {
  QList<int> widths;
  for (int i = 0; i < StatusLine::kPanels; ++i) widths << w.statusLine()->panel(i)->width();
  return widths;
}

// Drags the widget sideways with the left button, as a mouse would.
void DragBy(QWidget* widget, int dx) {
  const QPoint from(1, widget->height() / 2);
  const QPoint to = from + QPoint(dx, 0);
  QMouseEvent press(QEvent::MouseButtonPress, from, widget->mapToGlobal(from), Qt::LeftButton, Qt::LeftButton, {});
  QMouseEvent move(QEvent::MouseMove, to, widget->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, {});
  QMouseEvent release(QEvent::MouseButtonRelease, to, widget->mapToGlobal(to), Qt::LeftButton, Qt::NoButton, {});
  for (QMouseEvent* event : {&press, &move, &release}) QCoreApplication::sendEvent(widget, event);
}

QStringList Utf16(std::initializer_list<const char16_t*> texts) {
  QStringList list;
  for (const char16_t* t : texts) list << QString::fromUtf16(t);
  return list;
}

int Top(const QWidget* widget, const QWidget* window) { return widget->mapTo(window, QPoint()).y(); }

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void startsIdleWithTheInitialTexts() {
    WindowFixture f;
    MainWindow& w = f.Create();
    QCOMPARE(w.windowTitle(), QStringLiteral("Marvessa"));
    // No application display name, which Qt appends to every caption ("提示 — Marvessa").
    QCOMPARE(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
    QCOMPARE(w.size(), QSize(616, 410));
    // The idle state empties the elapsed-time panel.
    const char16_t* const panels[] = {u"就绪", u"", u"未搜索:0", u"已搜索:0", u"邮址:0"};
    for (int i = 0; i < 5; ++i) QCOMPARE(w.statusLine()->panel(i)->text(), QString::fromUtf16(panels[i]));
    QVERIFY(w.addressBar()->scopeButton(0)->isChecked());
    QComboBox* box = w.addressBar()->keywordBox();
    QCOMPARE(box->currentText(), QString());
    QCOMPARE(box->count(), 78);
    QCOMPARE(box->itemText(2), QStringLiteral(u"电脑 公司 -编程  "));
    QCOMPARE(box->itemText(77), QStringLiteral(u"重庆"));
    MainActions& a = w.actions();
    QVERIFY(a.ASbegin->isEnabled() && a.AScontinue->isEnabled() && !a.ASend->isEnabled());
    QVERIFY(a.NVlist->isChecked() && !a.NVkeywords->isChecked());
    QVERIFY(a.NVtoolbar->isChecked() && a.NVstatusbar->isChecked() && a.NVaddress->isChecked());
    QVERIFY(a.NVsearchboxes->isChecked() && !a.NVdisconnect->isChecked() && !a.NVwinExit->isChecked());
    QVERIFY(!w.coolBar()->animation()->Running());
    QVERIFY(!w.PLmsg()->text().isEmpty());
    QVERIFY(!f.form().document().documentModified);
    QVERIFY(f.messages.shown.empty());
  }

  void propertiesOpenOnlyForASelectedRow() {
    WindowFixture f;
    MainWindow& w = f.Create();
    f.form().results().AddResult("a@b.cn", "http://127.0.0.1/", "t");
    // A dialog that opens is closed again, so that the test fails instead of waiting.
    bool opened = false;
    QTimer::singleShot(200, [&opened] {
      if (QWidget* dialog = QApplication::activeModalWidget()) {
        opened = true;
        dialog->close();
      }
    });
    w.actions().AEUpdate->trigger();
    QTest::qWait(300);
    QVERIFY(!opened);
  }

  void listsHaveTheirSizes() {
    WindowFixture f;
    MainWindow& w = f.Create();
    QCOMPARE(w.lvlist()->columnWidth(0), 160);
    QCOMPARE(w.lvlist()->columnWidth(1), 180);
    QCOMPARE(w.lvlist()->columnWidth(2), 300);
    QCOMPARE(w.lvlist()->font().pixelSize(), 12);
    QCOMPARE(w.searchBoxes()->width(), SearchBoxes::kWidth);
    QCOMPARE(w.searchBoxes()->mmuncheck()->height(), SearchBoxes::kLevel1Height);
    QCOMPARE(w.Spllist()->handleWidth(), 3);
    QCOMPARE(w.pages()->tabText(0), QStringLiteral(u"客户列表  "));
    QCOMPARE(w.pages()->tabText(1), QStringLiteral(u"批量搜索  "));
  }

  void toolBarButtonsInOrderWithCaptionsUnderIcons() {
    WindowFixture f;
    MainWindow& w = f.Create();
    QToolBar* bar = w.coolBar()->toolBar();
    QStringList captions;
    for (QAction* a : bar->actions()) {
      if (a->isSeparator()) {
        captions << QStringLiteral("|");
        continue;
      }
      auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(a));
      QVERIFY(button);
      QCOMPARE(button->size(), QSize(43, 35));
      captions << button->text();
    }
    QCOMPARE(captions, Utf16({u"新建", u" 打开 ", u"保存", u"导出", u"|", u"属性", u"删除", u"|", u"开始",
                                    u"继续", u"结束", u"|", u"选项", u"主页"}));
    QCOMPARE(bar->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    QCOMPARE(w.coolBar()->animation()->size(), QSize(30, 30));
  }

  void recentFilesStandBeforeExitWithTheirSeparator() {
    WindowFixture f;
    f.WriteIni("filelist0=/docs/A.mvx\r\nfilelist1=" + Gbk(u"/docs/会议:纪要.mvx") + "\r\n");
    MainWindow& w = f.Create();
    const QList<QAction*> items = w.actions().fileMenu->actions();
    QCOMPARE(items.size(), 16);
    QCOMPARE(items[10]->text(), QStringLiteral("&1 A.mvx"));
    QCOMPARE(items[11]->text(), QStringLiteral(u"&2 会议:纪要.mvx"));
    QVERIFY(items[10]->isVisible() && items[11]->isVisible());
    QVERIFY(!items[12]->isVisible() && !items[13]->isVisible());
    QVERIFY(items[14]->isSeparator() && items[14]->isVisible());
    QCOMPARE(items[15]->text(), QStringLiteral(u"退出(&X)"));

    WindowFixture empty;
    QVERIFY(!empty.Create().actions().mruSeparator->isVisible());
  }

  void statusPanelsFollowTheWindowWidth() {
    WindowFixture f;
    MainWindow& w = f.Create();
    const int frame = w.frameGeometry().width() - w.width();
    w.resize(1000 - frame, 410);
    QTRY_COMPARE(PanelWidths(w), (QList<int>{400, 150, 150, 150, 150}));
    w.resize(615 - frame, 410);
    QTRY_COMPARE(PanelWidths(w), (QList<int>{246, 92, 92, 92, 92}));
    // Hidden, the line still follows the window; shown again it sits at the bottom.
    w.actions().NVstatusbar->trigger();
    QVERIFY(!w.statusLine()->isVisible());
    w.resize(1000 - frame, 410);
    QTRY_COMPARE(w.frameGeometry().width(), 1000);
    w.actions().NVstatusbar->trigger();
    QVERIFY(w.statusLine()->isVisible());
    QCOMPARE(PanelWidths(w), (QList<int>{400, 150, 150, 150, 150}));
    QTRY_COMPARE(Top(w.statusLine(), &w) + w.statusLine()->height(), w.height());
  }

  void viewSwitchesReturnBarsToTheirPlaces() {
    WindowFixture f;
    MainWindow& w = f.Create();
    MainActions& a = w.actions();
    const int addressTop = Top(w.addressBar(), &w);
    a.NVtoolbar->trigger();
    QVERIFY(!a.NVtoolbar->isChecked() && !w.coolBar()->isVisible());
    QTRY_VERIFY(Top(w.addressBar(), &w) < addressTop);
    a.NVtoolbar->trigger();
    QVERIFY(a.NVtoolbar->isChecked());
    QTRY_COMPARE(Top(w.addressBar(), &w), addressTop);
    QVERIFY(Top(w.coolBar(), &w) < addressTop);

    const int pagesTop = Top(w.pages(), &w);
    a.NVaddress->trigger();
    QTRY_VERIFY(Top(w.pages(), &w) < pagesTop);
    a.NVaddress->trigger();
    QTRY_COMPARE(Top(w.pages(), &w), pagesTop);
    QVERIFY(Top(w.addressBar(), &w) < pagesTop);

    a.NVsearchboxes->trigger();
    QTRY_COMPARE(w.pages()->x(), 0);
    QCOMPARE(w.PLmsg()->x(), 210);
    a.NVsearchboxes->trigger();
    QTRY_COMPARE(w.searchBoxes()->width(), SearchBoxes::kWidth);
    QCOMPARE(w.searchBoxes()->x(), 0);
    QCOMPARE(w.PLmsg()->x(), 360);
  }

  void batchPageFromTheViewMenu() {
    WindowFixture f;
    MainWindow& w = f.Create();
    MainActions& a = w.actions();
    a.NVkeywords->trigger();
    QCOMPARE(w.pages()->currentIndex(), 1);
    QVERIFY(a.NVkeywords->isChecked() && !a.NVlist->isChecked());
    QVERIFY(!a.AEcopy->isEnabled() && !a.NEfont->isEnabled() && !a.AEDelete->isEnabled());
    QVERIFY(a.AEfilterrepeat->isEnabled());
    // Choosing the tab does the same as the menu item.
    w.pages()->tabBar()->setCurrentIndex(0);
    QVERIFY(a.NVlist->isChecked() && !a.NVkeywords->isChecked());
    QVERIFY(a.AEcopy->isEnabled() && a.NEfont->isEnabled());
  }

  void newsLineFollowsTheSplitterAndThePageControl() {
    WindowFixture f;
    MainWindow& w = f.Create();
    QTRY_COMPARE(w.PLmsg()->x(), 150 + 210);
    QCOMPARE(w.PLmsg()->y(), w.pages()->tabBar()->y());
    QSplitter* splitter = w.Spllist();
    splitter->setSizes({200, splitter->width() - 200 - splitter->handleWidth()});
    QTRY_COMPARE(w.searchBoxes()->width(), 200);  // the splitter's left edge
    QCOMPARE(w.PLmsg()->x(), 410);
    DragBy(splitter->handle(1), -40);
    QTRY_VERIFY(w.pages()->x() < 203);
    QCOMPARE(w.PLmsg()->x(), w.pages()->x() - 3 + 210);
    w.resize(900, 410);
    QTRY_COMPARE(w.PLmsg()->geometry().right(), w.pages()->geometry().right());
    QCOMPARE(w.PLmsg()->x(), w.pages()->x() - 3 + 210);
  }

  void newsLineClickOpensItsLink() {
    WindowFixture f;
    MainWindow& w = f.Create();
    QTRY_VERIFY(w.PLmsg()->width() > 0);
    QTest::mouseClick(w.PLmsg(), Qt::LeftButton);
    QCOMPARE(f.shell.opened, (std::vector<std::string>{std::string(kMakerSite) + "/dfault.htm"}));
    w.SetNewsLink("");
    QTest::mouseClick(w.PLmsg(), Qt::LeftButton);
    QCOMPARE(f.shell.opened.size(), std::size_t{1});
  }

  // The status line and 工具 open the engine status view; a row that needs verification opens
  // its last URL.
  void engineStatusViewFromTheStatusLineAndTheToolsMenu() {
    WindowFixture f;
    MainWindow& w = f.Create();
    EngineStatus& status = w.form().run().engines;
    status.Begin({{"a", 1, true, ""}, {"b", 1, true, ""}});
    status.Record(1, FetchOutcome::kBlocked, 200, "http://127.0.0.1/captcha", 0);
    QTest::mouseClick(w.statusLine()->panel(0), Qt::LeftButton);
    auto* dialog = w.findChild<EngineStatusDialog*>();
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(dialog->model()->rowCount(), 2);
    dialog->hide();
    w.actions().ATengines->trigger();
    QVERIFY(dialog->isVisible());
    QCOMPARE(w.findChildren<EngineStatusDialog*>().size(), 1);
    for (int row : {0, 1}) emit dialog->view()->doubleClicked(dialog->model()->index(row, 0));
    QCOMPARE(f.shell.opened, (std::vector<std::string>{"http://127.0.0.1/captcha"}));
    dialog->close();
  }

  void onlyTheUsersEditsMarkTheDocumentModified() {
    WindowFixture f;
    MainWindow& w = f.Create();
    DocumentState& doc = f.form().document();
    w.SetKeywordText(Gbk(u"服装"));
    w.SetBatchLines({Gbk(u"公司"), "", "b"});
    QVERIFY(!doc.documentModified);
    QCOMPARE(w.pages()->Mmkeywords()->toPlainText(), QStringLiteral(u"公司\n\nb"));
    QCOMPARE(w.BatchLines(), (Lines{Gbk(u"公司"), "", "b"}));

    QTest::keyClicks(w.addressBar()->keywordBox(), "x");
    QVERIFY(doc.documentModified);
    QCOMPARE(w.KeywordText(), Gbk(u"服装x"));
    doc.documentModified = false;
    w.pages()->setCurrentIndex(1);
    QTest::keyClick(w.pages()->Mmkeywords(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(w.pages()->Mmkeywords(), Qt::Key_Return);
    QVERIFY(doc.documentModified);
    QCOMPARE(w.BatchLines(), (Lines{Gbk(u"公司"), "", "b"}));  // an empty last line is no line
    doc.documentModified = false;
    QTest::mouseClick(w.addressBar()->scopeButton(3), Qt::LeftButton);
    QVERIFY(doc.documentModified);
    QCOMPARE(SelectedScope(w), 3);
  }

  void enterInTheKeywordBoxBeginsASearch() {
    WindowFixture f;
    MainWindow& w = f.Create();
    QTest::keyClick(w.addressBar()->keywordBox(), Qt::Key_Return);
    QCOMPARE(f.messages.shown.size(), std::size_t{1});
    QCOMPARE(f.messages.shown[0].text, Gbk(u" 请输入关键词后再搜索!  "));
    QVERIFY(f.form().run().runStopped);
  }

  void typedKeywordsAreNotCompletedFromThePresets() {
    WindowFixture f;
    MainWindow& w = f.Create();
    QComboBox* box = w.addressBar()->keywordBox();
    QVERIFY(ShowActive(w));
    box->setFocus();
    TypeText(box->lineEdit(), QStringLiteral(u"电脑"));
    QCOMPARE(box->currentText(), QStringLiteral(u"电脑"));
    QCOMPARE(box->count(), 78);
  }

  void anErrorEscapingACommandIsShownAndTheProgramGoesOn() {
    WindowFixture f;
    MainWindow& w = f.Create();
    f.sandbox.Write("folder/inside.txt", "x");
    f.files.answers = {f.sandbox.Path("folder")};  // a folder cannot be replaced by the document
    w.actions().AFsave->trigger();
    QCOMPARE(f.messages.shown.size(), std::size_t{1});
    QCOMPARE(f.messages.shown[0].icon, MessageIcon::Error);
    QVERIFY(!f.messages.shown[0].text.empty());
    w.actions().NVkeywords->trigger();
    QCOMPARE(w.pages()->currentIndex(), 1);
  }

  void customerListCommands() {
    WindowFixture f;
    MainWindow& w = f.Create();
    ResultList& results = f.form().results();
    results.AddResult("b@x.cn", "http://127.0.0.1/b", "tb");
    results.AddResult("a@x.cn", "http://127.0.0.1/a", "tc");
    results.AddResult("c@x.cn", "http://127.0.0.1/c", "ta");
    CustomerListView* list = w.lvlist();
    QCOMPARE(list->model()->rowCount(), 3);

    list->horizontalHeader()->sectionClicked(2);
    QCOMPARE(results.ResultAt(0).email, "c@x.cn");
    QVERIFY(w.actions().NVsort[2]->isChecked() && !w.actions().NVsort[0]->isChecked());
    QCOMPARE(list->model()->index(0, 0).data().toString(), QStringLiteral("c@x.cn"));

    list->selectRow(1);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    list->setFocus();
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);  // the list's own copy must not win
    QCOMPARE(f.shell.clipboard, (std::vector<std::string>{"b@x.cn"}));
    emit list->doubleClicked(list->model()->index(1, 0));
    QCOMPARE(f.shell.opened, (std::vector<std::string>{"http://127.0.0.1/b"}));

    list->selectionModel()->select(list->model()->index(0, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QCOMPARE(w.SelectedRows(), (std::vector<int>{0, 1}));
    w.actions().AEDelete->trigger();
    QCOMPARE(results.Count(), 1);
    QCOMPARE(results.ResultAt(0).email, "a@x.cn");
    QCOMPARE(list->model()->rowCount(), 1);
    QCOMPARE(w.statusLine()->panel(4)->text(), QStringLiteral(u"邮址:1"));
  }

  void shortcutsActOnTheFocusedList() {
    WindowFixture f;
    MainWindow& w = f.Create();
    f.form().results().AddResult("a@x.cn", "http://127.0.0.1/a", "t");
    f.form().run().AddLevel2("http://127.0.0.1/deep");
    CustomerListView* list = w.lvlist();
    list->selectRow(0);
    UrlListView* level2 = w.searchBoxes()->MMscan();
    level2->selectionModel()->select(level2->model()->index(0, 0), QItemSelectionModel::Select);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    level2->setFocus();
    QTest::keyClick(level2, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(level2, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(f.shell.clipboard, (std::vector<std::string>{"http://127.0.0.1/deep"}));
    QCOMPARE(f.form().results().Count(), 1);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(f.form().results().Count(), 0);
  }

  void listPopUpMenuAndFont() {
    WindowFixture f;
    MainWindow& w = f.Create();
    QMenu* popup = w.lvlist()->findChild<QMenu*>();
    QVERIFY(popup);
    QCOMPARE(Texts(popup->actions()), Utf16({u"复制邮址", u"|", u"增加", u"属性", u"删除", u"全部清除", u"全选",
                                                   u"|", u"过滤重复邮址", u"|", u"写信...", u"浏览..."}));
    QCOMPARE(popup->defaultAction(), w.actions().ATbrowse);

    w.actions().NEfont->trigger();
    QCOMPARE(f.fonts.asked.size(), std::size_t{1});
    QCOMPARE(f.fonts.asked[0].pixelSize(), 12);
    QCOMPARE(w.lvlist()->font().pixelSize(), 12);  // cancelled
    QFont big(QStringLiteral("WenQuanYi Zen Hei"), 20);
    f.fonts.answer = big;
    w.actions().NEfont->trigger();
    QCOMPARE(w.lvlist()->font().pointSize(), 20);
    QVERIFY(w.lvlist()->verticalHeader()->defaultSectionSize() > QFontMetrics(big).height());
  }

  void pendingUrlListsShowTheNewestOnTopAndCopyAndBrowse() {
    WindowFixture f;
    MainWindow& w = f.Create();
    RunState& run = f.form().run();
    for (const char* url : {"http://127.0.0.1/1", "http://127.0.0.1/2", "http://127.0.0.1/3"}) run.AddLevel1(url, "t");
    run.AddLevel2("http://127.0.0.1/deep");
    UrlListView* level1 = w.searchBoxes()->mmuncheck();
    QCOMPARE(level1->model()->rowCount(), 3);
    QCOMPARE(level1->model()->index(0, 0).data().toString(), QStringLiteral("http://127.0.0.1/3"));
    QCOMPARE(w.searchBoxes()->MMscan()->model()->rowCount(), 1);
    QCOMPARE(level1->toolTip(), QStringLiteral(u"一级搜索框"));

    level1->selectionModel()->select(level1->model()->index(0, 0), QItemSelectionModel::Select);
    level1->selectionModel()->select(level1->model()->index(2, 0), QItemSelectionModel::Select);
    QCOMPARE(Texts(level1->actions()), Utf16({u"复制", u"浏览..."}));
    level1->actions()[0]->trigger();
    QCOMPARE(f.shell.clipboard, (std::vector<std::string>{"http://127.0.0.1/3\r\nhttp://127.0.0.1/1"}));
    level1->actions()[1]->trigger();
    QCOMPARE(f.shell.opened, (std::vector<std::string>{"http://127.0.0.1/3"}));
  }
};

}  // namespace marvessa::test

QTEST_MAIN(marvessa::test::MainWindowTest)
#include "mainwindow_test.moc"
