#include <gtest/gtest.h>

#include "results/ulistcommands.h"
#include "tests/support/fake_listview.h"
#include "tests/support/fake_window.h"
#include "tests/support/fake_shell.h"
#include "tests/support/fake_ui.h"

namespace marvessa {
namespace {

class ListCommandsTest : public ::testing::Test {
 protected:
  ListCommandsTest() { results.SetView(&view); }

  void Add(const Lines& emails) {
    for (const std::string& e : emails) results.AddResult(e, "http://127.0.0.1/" + IntToText(nextId++), "t");
  }
  Lines Emails() const {
    Lines out;
    for (int i = 0; i < results.Count(); ++i) out.push_back(results.ResultAt(i).email);
    return out;
  }
  Lines Urls() const {
    Lines out;
    for (int i = 0; i < results.Count(); ++i) out.push_back(results.ResultAt(i).url);
    return out;
  }
  std::map<int, bool> Checked(int key) const { return {{1, key == 1}, {2, key == 2}, {3, key == 3}, {4, key == 4}}; }

  Settings settings;
  RunState run{settings};
  ResultList results;
  DocumentState document;
  test::FakeWindow view;
  test::FakePanels panels;
  test::FakeUiThread ui;
  test::FakeShell shell;
  ListCommands commands{{results, view, view, run, panels, document, ui, shell}};
  int nextId = 0;
};

TEST_F(ListCommandsTest, SortingAnEmptyListOnlyTicksTheMenuAndMarksTheDocument) {
  commands.SortResults(2);
  EXPECT_EQ(view.sortChecked, Checked(2));
  EXPECT_TRUE(document.documentModified);
  EXPECT_EQ(commands.CurrentSortKey(), 2);
  EXPECT_EQ(view.updating, 0);
}

TEST_F(ListCommandsTest, ColumnClickSortsByThatColumn) {
  results.AddResult("a", "u", "Zeta");
  results.AddResult("b", "v", "alpha");
  commands.lvlistColumnClick(2);
  EXPECT_EQ(view.sortChecked, Checked(3));
  EXPECT_EQ(Emails(), (Lines{"b", "a"}));
  EXPECT_GT(view.redraws, 0);
}

TEST_F(ListCommandsTest, ServerSortFillsTheKeyAndServicesTheQueuePerRow) {
  Add({"x@Zeta.cn", "nobody", "y@alpha.cn", "z@1.cn"});
  commands.SortResults(4);
  EXPECT_EQ(ui.pumps, 4);
  EXPECT_EQ(Emails(), (Lines{"z@1.cn", "y@alpha.cn", "x@Zeta.cn", "nobody"}));
  EXPECT_EQ(results.ResultAt(2).server, "@zeta.cn");
  results.ResultAt(0).email = "z@omega.cn";  // edited in the record dialog: the key is worked out anew
  commands.SortResults(4);
  EXPECT_EQ(Emails(), (Lines{"y@alpha.cn", "z@omega.cn", "x@Zeta.cn", "nobody"}));
}

TEST_F(ListCommandsTest, ServerKeyLoopEndsAtTheCurrentLastRowWhenRowsDisappear) {
  Add({"a@c.cn", "b@b.cn", "c@a.cn", "d@d.cn"});
  ui.onPump = [this] { results.Rows().pop_back(); };
  commands.SortResults(4);
  EXPECT_EQ(ui.pumps, 2);
  EXPECT_EQ(Emails(), (Lines{"b@b.cn", "a@c.cn"}));
}

TEST_F(ListCommandsTest, FilterKeepsTheFirstOfEachRunOfEqualAddresses) {
  Add({"b@x.cn", "a@x.cn", "A@X.CN", "c@x.cn", "a@x.cn ", "B@x.cn"});
  commands.FilterDuplicates();
  EXPECT_EQ(LowerAscii(Emails()[0]), "a@x.cn");
  ASSERT_EQ(results.Count(), 3);
  EXPECT_EQ(LowerAscii(Trim(Emails()[1])), "b@x.cn");
  EXPECT_EQ(Emails()[2], "c@x.cn");
  EXPECT_EQ(view.sortChecked, Checked(1));
  EXPECT_TRUE(document.documentModified);
  EXPECT_EQ(view.rowCount, 3);
  EXPECT_EQ(panels.texts[4], "邮址:3");
  EXPECT_EQ(ui.pumps, 5);
}

TEST_F(ListCommandsTest, FilterKeepsTheRowThatTheSortLeftFirst) {
  Add({"a@x.cn", "A@x.cn", "a@X.cn", "b@x.cn", "A@X.CN"});
  std::vector<ResultRecord> sorted = results.Rows();
  QuickSortResults(sorted, kSortByEmail);
  commands.FilterDuplicates();
  EXPECT_EQ(Urls(), (Lines{sorted[0].url, sorted[4].url}));
}

TEST_F(ListCommandsTest, FilterComparesOnlyNeighboursAfterTheSort) {
  Add({" b@x.cn", "a@x.cn", "b@x.cn"});  // the leading blank sorts first
  commands.FilterDuplicates();
  EXPECT_EQ(Emails(), (Lines{" b@x.cn", "a@x.cn", "b@x.cn"}));
  EXPECT_TRUE(document.documentModified);
}

TEST_F(ListCommandsTest, FilterCoversRowsAppendedWhileItRuns) {
  Add({"c@x.cn", "a@x.cn", "b@x.cn"});
  ui.onPump = [this] {
    if (ui.pumps == 1) Add({"c@x.cn", "d@x.cn", "d@x.cn", "a@x.cn"});
  };
  commands.FilterDuplicates();
  // Appended rows are not sorted in: each is compared with the row kept before it.
  EXPECT_EQ(Emails(), (Lines{"a@x.cn", "b@x.cn", "c@x.cn", "d@x.cn", "a@x.cn"}));
  EXPECT_EQ(ui.pumps, 6);
  EXPECT_EQ(view.rowCount, 5);
}

TEST_F(ListCommandsTest, FilterLeavesRowsAloneThatAnotherCommandReplacedMeanwhile) {
  Add({"a@x.cn", "a@x.cn", "b@x.cn"});
  ui.onPump = [this] {
    if (ui.pumps != 1) return;
    results.ClearResults();
    Add({"n@x.cn", "n@x.cn", "n@x.cn", "m@x.cn"});
  };
  commands.FilterDuplicates();
  EXPECT_EQ(Emails(), (Lines{"n@x.cn", "n@x.cn", "n@x.cn", "m@x.cn"}));
}

TEST_F(ListCommandsTest, DeleteRemovesExactlyTheSelectedRows) {
  Add({"r0", "r1", "r2", "r3", "r4", "r5"});
  view.selected = {2, 5};
  commands.DeleteSelectedRows();
  EXPECT_EQ(Emails(), (Lines{"r0", "r1", "r3", "r4"}));
  EXPECT_TRUE(view.selected.empty());
  EXPECT_EQ(view.rowCount, 4);
  EXPECT_EQ(panels.texts[4], "邮址:4");
  EXPECT_FALSE(document.documentModified);
  EXPECT_EQ(view.updating, 0);
}

TEST_F(ListCommandsTest, SelectAllAndClear) {
  Add({"a@x.cn", "b@x.cn"});
  run.RememberEmail("a@x.cn");
  commands.SelectAllRows();
  EXPECT_EQ(view.selected, (std::set<int>{0, 1}));
  commands.ClearCustomerList();
  EXPECT_EQ(results.Count(), 0);
  EXPECT_EQ(view.rowCount, 0);
  EXPECT_EQ(run.Seen().Count(), 0);
  EXPECT_TRUE(run.RememberEmail("a@x.cn"));
  EXPECT_FALSE(document.documentModified);
  EXPECT_EQ(panels.writes, 0);
}

TEST_F(ListCommandsTest, CollectSelectedJoinsFieldsWithCrLf) {
  Add({"", "a", "", "b", "c"});
  view.selected = {0, 1, 2, 3};
  EXPECT_EQ(commands.CollectSelected(1), "a\r\n\r\nb");
  view.selected = {1, 4};
  EXPECT_EQ(commands.CollectSelected(2), "http://127.0.0.1/1\r\nhttp://127.0.0.1/4");
  EXPECT_EQ(commands.CollectSelected(3), "t\r\nt");
  view.selected.clear();
  commands.AEcopyExecute();
  EXPECT_EQ(shell.clipboard, Lines{""});
}

TEST_F(ListCommandsTest, MailAndBrowseUseTheFirstSelectedRow) {
  Add({"a@x.cn", "b@x.cn", "c@x.cn"});
  commands.ATemailtoExecute();
  commands.ATbrowseExecute();
  EXPECT_TRUE(shell.opened.empty());
  view.selected = {2, 1};
  commands.ATemailtoExecute();
  commands.ATbrowseExecute();
  EXPECT_EQ(shell.opened, (Lines{"mailto:b@x.cn", "http://127.0.0.1/1"}));
}

TEST_F(ListCommandsTest, PendingUrlCopyAndBrowseFollowTheDisplayOrder) {
  run.AddLevel2("http://127.0.0.1/old");
  run.AddLevel2("http://127.0.0.1/new");
  test::FakePendingSelection selection;
  selection.rows = {0, 1};
  commands.PuCopyClick(run.Level2(), selection);
  EXPECT_EQ(shell.clipboard, Lines{"http://127.0.0.1/new\r\nhttp://127.0.0.1/old"});
  selection.rows = {1};
  commands.PuBrowseClick(run.Level2(), selection);
  selection.rows.clear();
  commands.PuBrowseClick(run.Level2(), selection);
  EXPECT_EQ(shell.opened, Lines{"http://127.0.0.1/old"});
}

}  // namespace
}  // namespace marvessa
