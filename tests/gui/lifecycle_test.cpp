// Start-up and shut-down of the main window, closing, the autosave file and the update dialog.
#include <QtTest>
#include <filesystem>

#include "engines/ucatalog.h"
#include "results/ufile.h"
#include "tests/gui/windowfixture.h"

namespace marvessa::test {

namespace {

// A document with one row of this address, saved at path by a window that is gone again.
void LeaveDocument(WindowFixture& f, const std::string& path, const std::string& email) {
  MainWindow& w = f.Create();
  f.form().results().AddResult(email, "http://127.0.0.1/", "t");
  DocumentParts parts{
      .results = f.form().results(), .run = f.form().run(), .keywords = w, .scope = w, .panels = w, .ui = f.ui};
  SaveDocument(parts, path);
  f.Destroy();
}

// An autosaved document with one row, left in the sandbox as an interrupted run leaves it.
void LeaveAutosave(WindowFixture& f) { LeaveDocument(f, f.sandbox.Path(kAutosaveFileName), "saved@x.cn"); }

}  // namespace

class LifecycleTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { qputenv("MARVESSA_UPDATE_SERVER", "http://127.0.0.1:9"); }

  void startUpLoadsTheSettingsAndShutDownSavesThemLast() {
    WindowFixture f;
    f.WriteIni("thdnumber=7\r\nfilelist0=/docs/A.mvx\r\n");
    MainWindow& w = f.Create();
    QCOMPARE(f.form().settings().thdnumber.load(), 7);
    QCOMPARE(w.actions().NFfilename[0]->text(), QStringLiteral("&1 A.mvx"));
    f.form().results().AddResult("a@x.cn", "http://127.0.0.1/", "t");
    f.form().mru().AddFile("/docs/B.mvx");
    f.form().settings().thdnumber = 33;
    f.Destroy();
    // The recent files are copied into the settings before they are saved.
    const std::string ini = f.Ini();
    QVERIFY(ini.find("filelist0=/docs/B.mvx") != std::string::npos);
    QVERIFY(ini.find("filelist1=/docs/A.mvx") != std::string::npos);
    QVERIFY(ini.find("thdnumber=33") != std::string::npos);
    QVERIFY(f.messages.shown.empty());
  }

  void aFailedSettingsSaveShowsItsMessage() {
    WindowFixture f;
    f.Create();
    f.sandbox.Write(std::string(kIniFileName) + "/blocked", "");  // the INI path is now a folder
    f.Destroy();
    QCOMPARE(f.messages.shown.size(), std::size_t{1});
    QCOMPARE(f.messages.shown[0].icon, MessageIcon::Error);
    QVERIFY(f.messages.shown[0].text.find(kIniFileName) != std::string::npos);
  }

  void theAutosaveFileIsReopenedOnlyWithAutosaveOn() {
    WindowFixture f;
    LeaveAutosave(f);
    f.WriteIni("autosave=0\r\n");
    f.Create();
    QCOMPARE(f.form().results().Count(), 0);
    QVERIFY(f.Close());
    QVERIFY(!f.sandbox.Exists(kAutosaveFileName));
    f.Destroy();

    LeaveAutosave(f);
    f.WriteIni("autosave=1\r\n");
    MainWindow& w = f.Create();
    QCOMPARE(f.form().results().Count(), 1);
    QCOMPARE(w.lvlist()->model()->rowCount(), 1);
    QCOMPARE(w.statusLine()->panel(4)->text(), QStringLiteral(u"邮址:1"));
    QVERIFY(!f.form().document().documentNamed);
    QCOMPARE(w.windowTitle(), QStringLiteral("*Marvessa"));  // the interrupted run's rows are in no file yet
    f.messages.answers = {MessageAnswer::No};
    QVERIFY(f.Close());
    QCOMPARE(f.messages.shown.size(), std::size_t{1});
    QVERIFY(!f.sandbox.Exists(kAutosaveFileName));
  }

  void cancellingTheSaveQuestionKeepsTheWindowOpen() {
    WindowFixture f;
    MainWindow& w = f.Create();
    int closed = 0;
    w.onClosed = [&closed] { ++closed; };
    f.form().document().documentModified = true;
    f.messages.answers = {MessageAnswer::Cancel};
    QVERIFY(!f.Close());
    QVERIFY(w.isVisible());
    QCOMPARE(f.messages.shown.size(), std::size_t{1});
    QCOMPARE(f.messages.shown[0].buttons, MessageButtons::YesNoCancel);
    QCOMPARE(closed, 0);
    f.messages.answers = {MessageAnswer::No};
    QVERIFY(f.Close());
    QCOMPARE(closed, 1);
  }

  void nonAsciiPathsReachTheCoreAsTheyAre() {
    WindowFixture f;
    MainWindow& w = f.Create();
    TMainForm& form = f.form();
    // Native (UTF-8) paths, as these sources spell them.
    const std::string doc = f.sandbox.Path("客户 文档/报价.mvx");
    form.results().AddResult("a@x.cn", "http://127.0.0.1/", "t");
    f.files.answers = {doc};
    w.actions().NFSaveAs->trigger();
    QCOMPARE(f.files.asked.back().fileName, std::string("无标题"));
    QCOMPARE(f.files.asked.back().folder, std::string());
    QVERIFY(std::filesystem::exists(doc));
    w.SetKeywordText(Gbk(u"服装"));
    f.files.answers = {f.sandbox.Path("导出.txt")};
    w.actions().AFexport->trigger();
    QCOMPARE(f.files.asked.back().fileName, std::string("服装"));
    QCOMPARE(f.files.asked.back().folder, f.sandbox.Path("客户 文档/"));  // the folder used last
    QVERIFY(f.sandbox.Exists("导出.txt"));

    w.actions().AFnew->trigger();
    f.files.answers = {doc};
    w.actions().AFOpen->trigger();
    QCOMPARE(f.files.asked.back().folder, f.sandbox.Dir());
    QCOMPARE(form.results().Count(), 1);
    f.files.answers = {doc};
    w.actions().NFmerge->trigger();
    QCOMPARE(form.results().Count(), 2);
    f.sandbox.Write("网址.txt", "http://127.0.0.1/u\r\n");
    f.files.answers = {f.sandbox.Path("网址.txt")};
    w.actions().AFimport->trigger();
    QCOMPARE(form.run().Level1().Count(), 1);
    w.actions().AFnew->trigger();
    QCOMPARE(w.actions().NFfilename[0]->text(), QStringLiteral(u"&1 报价.mvx"));
    w.actions().NFfilename[0]->trigger();
    QCOMPARE(form.results().Count(), 1);
    QVERIFY(f.messages.shown.empty());
    f.Destroy();
    QVERIFY(f.Ini().find("filelist0=" + Utf8ToGbk(doc) + "\r\n") != std::string::npos);
  }

  void aDocumentNamedAtStartOpensAndTheTitleShowsItsNameAndModifiedMark() {
    WindowFixture f;
    const std::string doc = f.sandbox.Path("文档/报价.mvx");
    LeaveDocument(f, doc, "doc@x.cn");
    LeaveAutosave(f);
    MainWindow& w = f.Create();
    QCOMPARE(w.windowTitle(), QStringLiteral("*Marvessa"));
    // The restored rows of an interrupted run are not dropped without the save question.
    f.messages.answers = {MessageAnswer::No};
    f.form().files().OpenFromCommandLine(doc);
    QCOMPARE(f.messages.shown.size(), std::size_t{1});
    QCOMPARE(f.form().results().ResultAt(0).email, std::string("doc@x.cn"));
    QCOMPARE(w.statusLine()->panel(4)->text(), QStringLiteral(u"邮址:1"));
    QCOMPARE(w.windowTitle(), QStringLiteral(u"报价.mvx - Marvessa"));
    QTest::keyClicks(w.addressBar()->keywordBox(), "x");
    QCOMPARE(w.windowTitle(), QStringLiteral(u"*报价.mvx - Marvessa"));
    w.actions().AFsave->trigger();
    QCOMPARE(w.windowTitle(), QStringLiteral(u"报价.mvx - Marvessa"));

    // A name where no file is yet starts an empty document that will be saved there.
    f.form().files().OpenFromCommandLine(f.sandbox.Path("新.mvx"));
    QVERIFY(f.files.asked.empty());
    QCOMPARE(f.form().results().Count(), 0);
    QCOMPARE(w.windowTitle(), QStringLiteral(u"新.mvx - Marvessa"));
    QCOMPARE(w.statusLine()->panel(4)->text(), QStringLiteral(u"邮址:0"));
    w.actions().AFnew->trigger();
    QCOMPARE(w.windowTitle(), QStringLiteral("Marvessa"));
  }

  void newDocumentShowsItsEmptyTotals() {
    WindowFixture f;
    MainWindow& w = f.Create();
    f.form().results().AddResult("a@x.cn", "http://127.0.0.1/", "t");
    f.form().run().AddLevel1("http://127.0.0.1/1", "t");
    ShowTotals(w, f.form().run(), f.form().results().Count());
    QCOMPARE(w.statusLine()->panel(2)->text(), QStringLiteral(u"未搜索:1"));
    w.actions().AFnew->trigger();
    QCOMPARE(w.statusLine()->panel(2)->text(), QStringLiteral(u"未搜索:0"));
    QCOMPARE(w.statusLine()->panel(4)->text(), QStringLiteral(u"邮址:0"));
  }

  void exitClosesTheWindow() {
    WindowFixture f;
    MainWindow& w = f.Create();
    w.actions().NFexit->trigger();
    QVERIFY(!w.isVisible());
  }

  void theOnDemandUpdateReportsItsFailureAndTheButtonHidesTheDialog() {
    WindowFixture f;
    MainWindow& w = f.Create();
    TdlgUpdate dialog;
    w.AttachUpdateDialog(&dialog);
    w.actions().NTVupdate->trigger();
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.lbMsg()->text(), QStringLiteral(u"正在升级引擎..."));
    // The update server is a closed loopback port.
    QTRY_VERIFY_WITH_TIMEOUT(!f.form().update().running(), 20000);
    QCOMPARE(dialog.lbMsg()->text(), QStringLiteral(u"引擎升级失败!"));
    QCOMPARE(dialog.BtCancel()->text(), QStringLiteral(u"关闭(&C)"));
    QVERIFY(dialog.isVisible());
    QTest::mouseClick(dialog.BtCancel(), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QVERIFY(!f.sandbox.Exists(kEngineFileName));
  }

  void theUpdateDialogMayGoBeforeTheWindow() {
    WindowFixture f;
    MainWindow& w = f.Create();
    {
      TdlgUpdate dialog;
      w.AttachUpdateDialog(&dialog);
    }
    w.actions().NTVupdate->trigger();
    f.Destroy();
    QVERIFY(f.messages.shown.empty());
  }
};

}  // namespace marvessa::test

QTEST_MAIN(marvessa::test::LifecycleTest)
#include "lifecycle_test.moc"
