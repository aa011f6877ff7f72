// Whole search runs through the window against the loopback test web: real Qt timers, and the
// workers' hand-overs carried out as blocking queued calls on the UI thread.
#include <QtTest>

#include "engines/ucatalog.h"
#include "tests/gui/windowfixture.h"
#include "sandbox/companyweb.h"
#include "sandbox/testengine.h"

namespace marvessa::test {

namespace {

// A sandbox whose engine file holds one loopback engine with the company sites as its results.
class SearchFixture : public WindowFixture {
 public:
  SearchFixture() {
    std::vector<std::string> sites;
    for (int s = 0; s < web.Sites(); ++s) sites.push_back(web.SiteUrl(s));
    engine = std::make_unique<sandbox::TestEngine>(sandbox::TestEngineOptions{.pages = 2, .resultsPerPage = 3, .resultUrls = sites});
    sandbox.Write(kEngineFileName, EngineFileText(sandbox::TestCatalog({{"loopback", 0, engine->EngineBlock()}})));
    WriteIni("autoupdate=0\r\nfiltertitle=0\r\n");
  }
  bool Idle() { return form().run().runStopped && form().controller().runningCount() == 0; }

  sandbox::CompanyWeb web{{.sites = 6}};
  std::unique_ptr<sandbox::TestEngine> engine;
};

}  // namespace

class SearchRunTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { qputenv("MARVESSA_UPDATE_SERVER", "http://127.0.0.1:9"); }

  void beginRunsToReadyAndFillsTheLists() {
    SearchFixture f;
    MainWindow& w = f.Create();
    MainActions& a = w.actions();
    w.addressBar()->keywordBox()->setEditText(QStringLiteral(u"服装"));
    a.ASbegin->trigger();
    QCOMPARE(w.statusLine()->panel(0)->text(), QStringLiteral(u"正在搜索..."));
    QVERIFY(!a.ASbegin->isEnabled() && !a.AScontinue->isEnabled() && a.ASend->isEnabled());
    QVERIFY(!w.addressBar()->keywordBox()->isEnabled());
    QVERIFY(w.coolBar()->animation()->Running());

    QTRY_VERIFY_WITH_TIMEOUT(f.Idle(), 30000);
    QCOMPARE(w.statusLine()->panel(0)->text(), QStringLiteral(u"就绪"));
    QCOMPARE(f.form().results().Count(), 6 * 5);  // five addresses per site
    QCOMPARE(w.lvlist()->model()->rowCount(), 30);
    QCOMPARE(w.statusLine()->panel(4)->text(), QStringLiteral(u"邮址:30"));
    QCOMPARE(w.searchBoxes()->mmuncheck()->model()->rowCount(), f.form().run().Level1().Count());
    QCOMPARE(w.searchBoxes()->MMscan()->model()->rowCount(), f.form().run().Level2().Count());
    QVERIFY(f.form().run().Level1().Count() > 0);
    QVERIFY(a.ASbegin->isEnabled() && !a.ASend->isEnabled() && w.addressBar()->keywordBox()->isEnabled());
    QVERIFY(!w.coolBar()->animation()->Running());
    QVERIFY(f.messages.shown.empty());
    QVERIFY(f.dialUp.hangUps.empty());
  }

  void endStopsTheRunWithoutMessages() {
    SearchFixture f;
    MainWindow& w = f.Create();
    w.SetKeywordText(Gbk(u"服装"));
    w.actions().ASbegin->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(f.form().results().Count() > 0, 30000);
    w.actions().ASend->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(f.Idle(), 30000);
    QCOMPARE(w.statusLine()->panel(0)->text(), QStringLiteral(u"就绪"));
    QVERIFY(f.messages.shown.empty());
  }

  void closingDuringARunWaitsForTheWorkers() {
    SearchFixture f;
    MainWindow& w = f.Create();
    w.SetKeywordText(Gbk(u"服装"));
    w.actions().ASbegin->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(f.form().run().Level1().Count() > 0, 30000);
    // Rows found by then make the close ask the save question; not saving closes.
    f.messages.answers = {MessageAnswer::No};
    QVERIFY(f.Close());
    f.Destroy();
    QVERIFY(f.Ini().find("autoupdate=0") != std::string::npos);
    QVERIFY(f.messages.shown.size() <= 1);
    for (const MessageSpec& shown : f.messages.shown) QCOMPARE(shown.buttons, MessageButtons::YesNoCancel);
  }
};

}  // namespace marvessa::test

QTEST_MAIN(marvessa::test::SearchRunTest)
#include "searchrun_test.moc"
