#include <gtest/gtest.h>

#include <functional>

#include "base/ufileio.h"
#include "results/udoccommands.h"
#include "tests/support/fake_messages.h"
#include "tests/support/fake_window.h"
#include "tests/support/sandbox.h"

namespace marvessa {
namespace {

class DocCommandsTest : public test::SandboxTest {
 protected:
  DocCommandsTest() {
    mru.SetMenu(&window);
    results.SetView(&window);
  }
  void Fill() {
    window.keyword = "服装";
    window.batch = {"b"};
    window.Check(4);
    results.AddResult("a@b.cn", "http://b/", "t");
    run.AddLevel1("http://l1/", "t1");
    run.AddLevel2("http://l2/");
    run.SetProgress(1, 1, 3);
    state.documentModified = true;
  }
  Settings settings;
  RunState run{settings};
  ResultList results;
  DocumentState state;
  TMru mru;
  test::FakeWindow window;
  test::FakeMessageBoxes messages;
  TaskQueueUiThread ui;
  DocumentCommands commands{{{results, run, window, window, window, ui},
                             state,
                             settings,
                             sandbox.folders(),
                             mru,
                             window,
                             messages,
                             window,
                             window,
                             [this] { results.ClearResults(); }}};
};

TEST_F(DocCommandsTest, NewDocumentEmptiesEverythingAfterTheQuestion) {
  Fill();
  messages.answers = {MessageAnswer::No};
  window.page = 1;
  commands.AFnewExecute();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, " 是否需要保存当前搜索内容?      ");
  EXPECT_EQ(messages.shown[0].defaultAnswer, MessageAnswer::Cancel);
  EXPECT_EQ(results.Count(), 0);
  EXPECT_EQ(window.keyword, "");
  EXPECT_TRUE(window.batch.empty());
  EXPECT_EQ(SelectedScope(window), 0);
  EXPECT_EQ(run.Level1().Count() + run.Level2().Count() + static_cast<int>(run.Level1Titles().size()), 0);
  EXPECT_EQ(run.PagesFetched() + run.Level1Cursor() + run.Level2Cursor(), 0);
  EXPECT_FALSE(state.documentModified);
  EXPECT_EQ(window.page, 0);
  EXPECT_TRUE(window.checked[Command::NVlist]);
  EXPECT_EQ(window.keywordFocused, 1);
}

TEST_F(DocCommandsTest, CancellingTheQuestionKeepsTheDocument) {
  Fill();
  messages.answers = {MessageAnswer::Cancel};
  commands.NewDocument();
  EXPECT_EQ(results.Count(), 1);
  EXPECT_TRUE(state.documentModified);
}

// "是" and then cancelling the file dialog keeps the document: nothing unsaved is dropped.
TEST_F(DocCommandsTest, YesThenCancellingTheSaveDialogCancelsNewOpenAndClose) {
  sandbox.Write("other.mvx", "");
  const struct {
    const char* name;
    std::function<void()> command;
  } kCommands[] = {
      {"new", [&] { commands.NewDocument(); }},
      {"open", [&] { commands.OpenCommand(false, sandbox.Path("other.mvx")); }},
      {"close", [&] { EXPECT_FALSE(commands.FormCloseQuery()); }},
  };
  for (const auto& c : kCommands) {
    results.ClearResults();
    Fill();
    sandbox.Write("temp.mvx", "autosaved");
    messages.answers = {MessageAnswer::Yes};
    window.fileAnswers = {std::nullopt};
    c.command();
    EXPECT_EQ(results.Count(), 1) << c.name;
    EXPECT_EQ(window.keyword, "服装") << c.name;
    EXPECT_TRUE(state.documentModified) << c.name;
    EXPECT_TRUE(sandbox.Exists("temp.mvx")) << c.name;
  }
}

TEST_F(DocCommandsTest, SavingAnUntitledDocumentAsksForANameAndRecordsIt) {
  window.fileAnswers = {sandbox.Path("new.mvx")};
  sandbox.Write("temp.mvx", "autosaved");
  state.documentModified = true;
  commands.AFsaveExecute();
  ASSERT_EQ(window.dialogs.size(), 1u);
  EXPECT_EQ(window.dialogs[0].title, "另存为");
  EXPECT_EQ(window.dialogs[0].fileName, GbkToUtf8("无标题"));  // a native file name
  EXPECT_EQ(window.dialogs[0].defaultExt, "mvx");
  EXPECT_EQ(window.dialogs[0].filter, "Marvessa(*.mvx)|*.mvx");
  EXPECT_TRUE(sandbox.Exists("new.mvx"));
  EXPECT_FALSE(sandbox.Exists("temp.mvx"));
  EXPECT_TRUE(state.documentNamed);
  EXPECT_EQ(state.documentPath, sandbox.Path("new.mvx"));
  EXPECT_FALSE(state.documentModified);
  EXPECT_EQ(mru.GetFile(0), sandbox.Path("new.mvx"));
  EXPECT_EQ(window.panels[0], "就绪");
  results.AddResult("x@y.cn", "", "");
  commands.AFsaveExecute();  // named: no dialog
  EXPECT_EQ(window.dialogs.size(), 1u);
  EXPECT_NE(sandbox.Read("new.mvx").find("x@y.cn"), std::string::npos);
}

TEST_F(DocCommandsTest, SaveAsProposesTheKeywordAndCancelChangesNothingButTheAutosave) {
  window.keyword = "服装/出口";
  sandbox.Write("temp.mvx", "autosaved");
  commands.NFSaveAsClick();
  EXPECT_EQ(window.dialogs[0].title, "保存");
  EXPECT_EQ(window.dialogs[0].fileName, GbkToUtf8("服装_出口"));
  EXPECT_FALSE(state.documentNamed);
  EXPECT_FALSE(sandbox.Exists("temp.mvx"));
}

// Each case: save or save as, the dialog's answer, and whether the autosave file is left. It
// goes after every save and cancelled save, and stays only when the save failed.
TEST_F(DocCommandsTest, TheAutosaveFileGoesAfterASaveOrACancelAndStaysAfterAFailure) {
  sandbox.Write("blocker", "a file, not a folder");
  const struct {
    bool saveAs;
    std::optional<std::string> answer;
    bool left;
  } kCases[] = {{false, sandbox.Path("a.mvx"), false}, {true, sandbox.Path("b.mvx"), false},
                {false, std::nullopt, false},          {true, std::nullopt, false},
                {false, sandbox.Path("blocker/c.mvx"), true}, {true, sandbox.Path("blocker/d.mvx"), true}};
  for (const auto& c : kCases) {
    state.documentPath = std::string();
    sandbox.Write("temp.mvx", "autosaved");
    window.fileAnswers = {c.answer};
    try {
      c.saveAs ? commands.NFSaveAsClick() : commands.AFsaveExecute();
    } catch (const FileError&) {
      EXPECT_TRUE(c.left);
    }
    EXPECT_EQ(sandbox.Exists("temp.mvx"), c.left) << c.saveAs << " " << c.answer.value_or("cancel");
  }
}

TEST_F(DocCommandsTest, OpeningReplacesTheDocumentAndMergingAppendsRows) {
  Fill();
  state.documentModified = false;
  commands.SaveCommand(true);  // cancelled: no answer scripted
  window.fileAnswers = {sandbox.Path("a.mvx")};
  commands.SaveCommand(true);
  results.ClearResults();
  window.keyword = "other";
  commands.OpenCommand(false, sandbox.Path("a.mvx"));
  EXPECT_EQ(window.dialogs.size(), 2u);
  EXPECT_EQ(window.keyword, "服装");
  EXPECT_EQ(results.Count(), 1);
  EXPECT_EQ(SelectedScope(window), 4);
  EXPECT_EQ(run.Level1Cursor(), 1);
  EXPECT_FALSE(state.documentModified);
  EXPECT_EQ(state.documentPath, sandbox.Path("a.mvx"));
  EXPECT_EQ(window.panels[0], "就绪");
  EXPECT_EQ(window.panels[4], "邮址:1");

  state.documentPath = "/elsewhere.mvx";
  state.documentModified = true;
  messages.answers = {};
  sandbox.Write("b.mvx", sandbox.Read("a.mvx"));
  commands.OpenCommand(true, sandbox.Path("b.mvx"));
  EXPECT_EQ(results.Count(), 2);
  EXPECT_EQ(state.documentPath, "/elsewhere.mvx");
  EXPECT_TRUE(state.documentModified);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(mru.GetFile(0), sandbox.Path("a.mvx"));  // a merge is no recent file
}

TEST_F(DocCommandsTest, OpeningANameThatDoesNotExistLeavesAnEmptyDocumentWithThatPath) {
  Fill();
  state.documentModified = false;
  window.fileAnswers = {sandbox.Path("typed.mvx")};
  commands.OpenCommand(false, "/no/such/file.mvx");
  EXPECT_EQ(window.dialogs[0].title, "打开");
  EXPECT_EQ(window.dialogs[0].filter, "Marvessa (*.mvx)|*.mvx");
  EXPECT_EQ(results.Count(), 0);
  EXPECT_EQ(state.documentPath, sandbox.Path("typed.mvx"));
  commands.AFsaveExecute();
  EXPECT_TRUE(sandbox.Exists("typed.mvx"));
}

TEST_F(DocCommandsTest, RecentEntryOpensItsFile) {
  results.AddResult("r@x.cn", "", "");
  window.fileAnswers = {sandbox.Path("r.mvx")};
  commands.SaveCommand(false);
  results.ClearResults();
  commands.NFfilenameClick(0);
  EXPECT_EQ(results.Count(), 1);
  EXPECT_EQ(window.dialogs.size(), 1u);
}

TEST_F(DocCommandsTest, AutosaveIsRestoredOnlyWhenSwitchedOn) {
  Fill();
  window.fileAnswers = {sandbox.Path("temp.mvx")};
  commands.SaveCommand(true);
  results.ClearResults();
  settings.autosave = false;
  commands.RestoreAutosave();
  EXPECT_EQ(results.Count(), 0);
  settings.autosave = true;
  commands.RestoreAutosave();
  EXPECT_EQ(results.Count(), 1);
  EXPECT_EQ(window.panels[4], "邮址:1");
}

TEST_F(DocCommandsTest, ClosingDeletesTheAutosaveUnlessCancelled) {
  sandbox.Write("temp.mvx", "x");
  state.documentModified = true;
  messages.answers = {MessageAnswer::Cancel};
  EXPECT_FALSE(commands.FormCloseQuery());
  EXPECT_TRUE(sandbox.Exists("temp.mvx"));
  messages.answers = {MessageAnswer::No};
  EXPECT_TRUE(commands.FormCloseQuery());
  EXPECT_FALSE(sandbox.Exists("temp.mvx"));
}

TEST_F(DocCommandsTest, ImportAndExportCommandsUseTheirDialogs) {
  sandbox.Write("urls.txt", "http://127.0.0.1/a\r\nhttp://127.0.0.1/b\r\n");
  window.fileAnswers = {sandbox.Path("urls.txt")};
  commands.AFimportExecute();
  EXPECT_EQ(window.dialogs[0].title, "导入网址");
  EXPECT_EQ(window.dialogs[0].defaultExt, "ulk");
  EXPECT_EQ(run.Level1().Count(), 2);
  EXPECT_EQ(window.panels[2], "未搜索:2");
  EXPECT_FALSE(state.documentModified);
  EXPECT_EQ(mru.GetFile(0), "");  // an import is no recent file
  results.AddResult("a@b.cn", "u", "t");
  window.keyword = "kw";
  window.fileAnswers = {sandbox.Path("out.txt")};
  commands.AFexportExecute();
  EXPECT_EQ(window.dialogs[1].fileName, "kw");
  EXPECT_EQ(sandbox.Read("out.txt"), "a@b.cn\r\n");
  EXPECT_EQ(window.panels[0], "就绪");
  window.fileAnswers = {sandbox.Path("out.CSV")};
  commands.AFexportExecute();
  EXPECT_EQ(sandbox.Read("out.CSV"), "\xEF\xBB\xBF" + GbkToUtf8("邮址,网址,标题\r\na@b.cn,u,t\r\n"));
  sandbox.Write("crawl.jsonl", R"({"email":"A@B.cn","url":"x"})" "\n" R"({"email":"new@b.cn","url":"y"})" "\n");
  window.fileAnswers = {sandbox.Path("crawl.jsonl")};
  commands.AFimportExecute();
  ASSERT_EQ(results.Count(), 2);
  EXPECT_EQ(results.ResultAt(1).email, "new@b.cn");
  EXPECT_EQ(window.panels[4], "邮址:2");
}

}  // namespace
}  // namespace marvessa
