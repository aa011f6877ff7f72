#include <gtest/gtest.h>

#include <chrono>

#include "app/uMain.h"
#include "engines/ucatalog.h"
#include "results/ufile.h"
#include "sandbox/companyweb.h"
#include "tests/support/document_rig.h"
#include "tests/support/fake_dialup.h"
#include "tests/support/fake_shell.h"
#include "tests/support/fake_shutdown.h"
#include "tests/support/fake_timers.h"
#include "tests/support/fake_window.h"
#include "tests/support/sandbox.h"
#include "sandbox/testengine.h"

namespace marvessa {
namespace {

using namespace std::chrono_literals;

class MainFormTest : public test::SandboxTest {
 protected:
  void Create() {
    form = std::make_unique<TMainForm>(window, platform);
    form->FormCreate();
  }
  void WriteIni(const std::string& body) { sandbox.Write("Trovik.ini", "[Rodideva Trovik]\r\n" + body); }
  std::string Ini() { return sandbox.Read("Trovik.ini"); }
  // A document with one row, saved as the given file of the sandbox.
  void WriteDocument(const std::string& name) {
    test::DocumentRig doc;
    doc.results.AddResult("saved@x.cn", "http://127.0.0.1/", "t");
    SaveDocument(doc.parts, sandbox.Path(name));
  }

  test::FakeWindow window;
  TaskQueueUiThread ui;
  test::FakeTimerFactory timers;
  test::FakeShell shell;
  test::FakeDialUp dialUp;
  test::FakeShutdown shutdown;
  MainPlatform platform{ui, timers, sandbox.folders(), shell, dialUp, shutdown};
  std::unique_ptr<TMainForm> form;
};

TEST_F(MainFormTest, StartUpLoadsSettingsAndComesUpIdle) {
  WriteIni("thdnumber=7\r\nfilelist0=/docs/A.mvx\r\nfilelist1=/docs/B.mvx\r\n");
  Create();
  EXPECT_EQ(form->settings().thdnumber, 7);
  EXPECT_EQ(window.caption, "Marvessa");
  EXPECT_EQ(window.mruCaptions[0], "&1 A.mvx");
  EXPECT_TRUE(window.mruVisible[1]);
  EXPECT_FALSE(window.mruVisible[2]);
  EXPECT_EQ(window.animationSource, "");
  EXPECT_EQ(window.layouts, 1);
  EXPECT_EQ(window.panels[0], "就绪");
  EXPECT_TRUE(window.enabled[Command::ASbegin]);
  EXPECT_FALSE(window.enabled[Command::ASend]);
  EXPECT_TRUE(window.checked[Command::NVlist]);
  EXPECT_FALSE(window.newsCaption.empty());
  EXPECT_TRUE(window.messages.empty());
}

TEST_F(MainFormTest, AnAnimationFileInTheProgramFolderIsUsed) {
  sandbox.Write("work.avi", "RIFF");
  Create();
  EXPECT_EQ(window.animationSource, sandbox.Path("work.avi"));
}

TEST_F(MainFormTest, AutosavedDocumentIsReopenedOnlyWithAutosaveOn) {
  WriteDocument("temp.mvx");
  WriteIni("autosave=0\r\n");
  Create();
  EXPECT_EQ(form->results().Count(), 0);
  form.reset();
  WriteIni("autosave=1\r\n");
  Create();
  EXPECT_EQ(form->results().Count(), 1);
  EXPECT_FALSE(form->document().documentNamed);
  EXPECT_EQ(window.panels[4], "邮址:1");
  window.messageAnswers = {MessageAnswer::Cancel, MessageAnswer::No};
  EXPECT_FALSE(form->FormCloseQuery());  // the rows of the interrupted run are not dropped unasked
  EXPECT_TRUE(sandbox.Exists("temp.mvx"));
  EXPECT_TRUE(form->FormCloseQuery());
  EXPECT_FALSE(sandbox.Exists("temp.mvx"));
}

TEST_F(MainFormTest, ShutDownStoresTheRecentFilesAndSavesTheSettingsLast) {
  WriteIni("filelist0=/docs/A.mvx\r\n");
  Create();
  WriteDocument("B.mvx");
  form->files().OpenCommand(false, sandbox.Path("B.mvx"));
  form->settings().thdnumber = 33;
  form->FormDestroy();
  const std::string ini = Ini();
  EXPECT_NE(ini.find("filelist0=" + sandbox.Path("B.mvx")), std::string::npos);
  EXPECT_NE(ini.find("filelist1=/docs/A.mvx"), std::string::npos);
  EXPECT_NE(ini.find("thdnumber=33"), std::string::npos);
  EXPECT_EQ(form->results().Count(), 0);
}

TEST_F(MainFormTest, HelpCommandsOpenTheProgramFilesAndTheMakersPages) {
  Create();
  form->AHhelpExecute();
  EXPECT_TRUE(shell.opened.empty());  // no help file in the sandbox
  sandbox.Write("help.htm", "<html></html>");
  form->AHhelpExecute();
  form->AHhomepageExecute();
  form->AHfeedbackExecute();
  form->PLmsgClick("");
  // Only an engine row that asks for a verification opens its last URL.
  EngineRunRow row;
  row.lastOutcome = FetchOutcome::kRateLimited;
  row.lastUrl = "https://127.0.0.1/q";
  form->OpenEngineRow(row);
  row.lastOutcome = FetchOutcome::kBlocked;
  form->OpenEngineRow(row);
  ASSERT_EQ(shell.opened.size(), 4u);
  EXPECT_EQ(shell.opened[3], "https://127.0.0.1/q");
  EXPECT_EQ(shell.opened[0], sandbox.Path("help.htm"));
  EXPECT_EQ(shell.opened[1], std::string(kMakerSite) + "/dfault.htm");
  EXPECT_EQ(shell.opened[2], std::string("mailto:") + kFeedbackMailbox);
}

// A whole search over the loopback web: a test engine whose results are company sites.
class MainFormSearchTest : public MainFormTest {
 protected:
  MainFormSearchTest() {
    std::vector<std::string> sites;
    for (int s = 0; s < web.Sites(); ++s) sites.push_back(web.SiteUrl(s));
    engine = std::make_unique<sandbox::TestEngine>(sandbox::TestEngineOptions{.pages = 2, .resultsPerPage = 3, .resultUrls = sites});
    sandbox.Write(kEngineFileName, EngineFileText(sandbox::TestCatalog({{"loopback", 0, engine->EngineBlock()}})));
    WriteIni("autoupdate=0\r\nfiltertitle=0\r\n");
    Create();
    window.keyword = "服装";
  }
  // Serves the UI thread and ticks the one-second timer until the run is idle again.
  void RunToIdle() {
    const auto deadline = std::chrono::steady_clock::now() + 30s;
    while (!form->run().runStopped || form->controller().runningCount() > 0) {
      ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the run did not end";
      ui.WaitForEvents(10);
      form->controller().MTimer1Timer();
    }
  }

  sandbox::CompanyWeb web{{.sites = 6}};
  std::unique_ptr<sandbox::TestEngine> engine;
};

TEST_F(MainFormSearchTest, BeginRunsFromSearchToIdleAndFillsTheList) {
  form->controller().StartSearch(false);
  EXPECT_EQ(window.panels[0], "正在搜索...");
  RunToIdle();
  EXPECT_EQ(window.panels[0], "就绪");
  EXPECT_EQ(form->results().Count(), 6 * 5);  // five addresses per site
  EXPECT_EQ(window.rowCount, form->results().Count());
  EXPECT_EQ(window.panels[4], "邮址:30");
  EXPECT_TRUE(window.messages.empty());
  EXPECT_TRUE(dialUp.hangUps.empty());
  // The rows are unsaved: closing asks, and cancelling keeps the window open.
  EXPECT_TRUE(form->document().documentModified);
  window.messageAnswers = {MessageAnswer::Cancel};
  EXPECT_FALSE(form->FormCloseQuery());
}

TEST_F(MainFormSearchTest, TheAddressLimitHoldsHoweverFastRowsArrive) {
  form->settings().ctrlemailnumber = 7;
  form->controller().StartSearch(false);
  RunToIdle();
  EXPECT_EQ(form->results().Count(), 7);
}

TEST_F(MainFormSearchTest, AnOwnEndWithResultsHangsUpAndStartsTheShutdownCountdown) {
  dialUp.Add(7, "ppp0");
  form->power().Monitor().Poll();
  EXPECT_TRUE(form->NVdisconnectClick());
  EXPECT_TRUE(form->NVwinExitClick());
  form->document().documentModified = true;
  window.messageAnswers = {MessageAnswer::Ok};
  form->controller().StartSearch(false);
  RunToIdle();
  EXPECT_EQ(dialUp.hangUps, (std::vector<HRasConn>{7}));
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(window.messages[0].text, "系统将在1分钟内关机,按[确定]即可终止!");
  EXPECT_FALSE(form->document().documentModified);
  EXPECT_TRUE(shutdown.exitFlags.empty() && shutdown.systemShutdowns.empty());
}

TEST_F(MainFormSearchTest, EndingTheRunNeverHangsUpOrShutsDown) {
  dialUp.Add(7, "ppp0");
  form->power().Monitor().Poll();
  form->NVdisconnectClick();
  form->NVwinExitClick();
  form->controller().StartSearch(false);
  while (form->results().Count() == 0) ui.WaitForEvents(10);
  form->controller().EndSearch();
  EXPECT_EQ(window.panels[0], "正在结束搜索...");
  RunToIdle();
  EXPECT_TRUE(dialUp.hangUps.empty());
  EXPECT_TRUE(window.messages.empty());
}

TEST_F(MainFormSearchTest, ClosingTheWindowDuringARunWaitsForTheWorkers) {
  form->controller().StartSearch(false);
  while (form->run().Level1().Count() == 0) ui.WaitForEvents(10);
  form->FormDestroy();
  EXPECT_EQ(form->controller().runningCount(), 0);
  EXPECT_NE(Ini().find("autoupdate=0"), std::string::npos);
}

}  // namespace
}  // namespace marvessa
