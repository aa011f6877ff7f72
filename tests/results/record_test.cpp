#include <gtest/gtest.h>

#include "results/urecord.h"
#include "tests/support/fake_window.h"
#include "tests/support/fake_messages.h"
#include "tests/support/fake_scroller.h"

namespace marvessa {
namespace {

class RecordFormTest : public ::testing::Test {
 protected:
  RecordFormTest() {
    results.SetView(&view);
    form.focusEmail = [this] { ++focused; };
  }
  void AddRows(int n) {
    for (int i = 0; i < n; ++i) {
      results.AddResult("a" + std::to_string(i) + "@x.com", "http://x.com/" + std::to_string(i), "标题" + std::to_string(i));
    }
  }
  void ShowProperties(int selectedRow) {
    view.SelectOne(selectedRow);
    form.FormShow(false);
  }

  ResultList results;
  test::FakeWindow view;
  test::FakeScroller scroller;
  DocumentState document;
  test::FakeMessageBoxes messages;
  RecordForm form{{results, view, scroller, document, messages}};
  int focused = 0;
};

TEST_F(RecordFormTest, InsertModeStartsEmptyWithTheFocusInTheEmailField) {
  form.EdEmail = "left over";
  form.FormShow(true);
  EXPECT_EQ(form.Caption(), "增加");
  EXPECT_FALSE(form.StepButtonsVisible());
  EXPECT_EQ(form.EdEmail, "");
  EXPECT_EQ(form.Edurl, "");
  EXPECT_EQ(form.EdTitle, "");
  EXPECT_FALSE(form.applyEnabled);
  EXPECT_EQ(focused, 1);
}

TEST_F(RecordFormTest, PropertiesModeShowsTheFirstSelectedRow) {
  AddRows(3);
  view.selected = {2, 1};
  form.FormShow(false);
  EXPECT_EQ(form.Caption(), "属性");
  EXPECT_TRUE(form.StepButtonsVisible());
  EXPECT_EQ(form.RowIndex(), 1);
  EXPECT_EQ(form.EdEmail, "a1@x.com");
  EXPECT_EQ(form.Edurl, "http://x.com/1");
  EXPECT_EQ(form.EdTitle, "标题1");
  EXPECT_FALSE(form.applyEnabled);
}

TEST_F(RecordFormTest, ABlankEmailIsRefusedWithAHint) {
  form.FormShow(true);
  form.EdEmail = " \t ";
  form.Edurl = "http://x.com/";
  form.EdEmailChange();
  EXPECT_FALSE(form.BtOkClick());
  form.BtApplyClick();
  EXPECT_EQ(results.Count(), 0);
  EXPECT_FALSE(document.documentModified);
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].text, "请输入邮址!  ");
  EXPECT_EQ(messages.shown[0].caption, "提示");
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::Information);
  EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
  EXPECT_EQ(focused, 3);  // at open and after each refusal
  // The fields stay for correcting.
  EXPECT_EQ(form.Edurl, "http://x.com/");
  EXPECT_TRUE(form.applyEnabled);

  form.EdEmail = "x@y.z";
  form.Edurl.clear();
  EXPECT_TRUE(form.BtOkClick());
  EXPECT_EQ(results.Count(), 1);
}

TEST_F(RecordFormTest, ApplyInInsertModeAddsRowsAsTypedAndEmptiesTheFields) {
  form.FormShow(true);
  for (const char* email : {" first@x.com ", "second@x.com"}) {
    form.EdEmail = email;
    form.EdTitle = "两行\n标题";
    form.EdEmailChange();
    form.BtApplyClick();
    EXPECT_EQ(form.EdEmail, "");
    EXPECT_EQ(form.EdTitle, "");
    EXPECT_FALSE(form.applyEnabled);
  }
  ASSERT_EQ(results.Count(), 2);
  EXPECT_EQ(view.rowCount, 2);
  EXPECT_EQ(results.ResultAt(0).email, " first@x.com ");
  EXPECT_EQ(results.ResultAt(0).title, "两行\n标题");
  EXPECT_EQ(results.ResultAt(1).email, "second@x.com");
  EXPECT_TRUE(document.documentModified);
}

TEST_F(RecordFormTest, OkInPropertiesModeReplacesTheFieldsButKeepsTheServer) {
  AddRows(2);
  results.ResultAt(1).server = "x.com";
  ShowProperties(1);
  form.EdEmail = "new@x.com";
  form.Edurl = "";
  form.EdTitle = "新标题";
  EXPECT_TRUE(form.BtOkClick());
  const ResultRecord& row = results.ResultAt(1);
  EXPECT_EQ(row.email, "new@x.com");
  EXPECT_EQ(row.url, "");
  EXPECT_EQ(row.title, "新标题");
  EXPECT_EQ(row.server, "x.com");
  EXPECT_EQ(results.ResultAt(0).email, "a0@x.com");
  EXPECT_EQ(results.Count(), 2);
  EXPECT_TRUE(document.documentModified);
  EXPECT_GT(view.redraws, 0);
}

TEST_F(RecordFormTest, SteppingStaysWithinTheListAndTheSelectionFollows) {
  AddRows(3);
  ShowProperties(0);
  form.BtupClick();
  EXPECT_EQ(form.RowIndex(), 0);
  EXPECT_EQ(view.selected, std::set<int>{0});
  for (int expected : {1, 2, 2}) {
    form.BtdownClick();
    EXPECT_EQ(form.RowIndex(), expected);
    EXPECT_EQ(view.selected, std::set<int>{expected});
    EXPECT_EQ(form.EdEmail, "a" + std::to_string(expected) + "@x.com");
  }
  form.BtupClick();
  EXPECT_EQ(form.EdEmail, "a1@x.com");
  // 200 / (10 + 1) - 2 = 16.18: every step scrolls 16 pixels, up or down, even at the ends.
  EXPECT_EQ(scroller.scrolls, (std::vector<int>{-16, 16, 16, 16, -16}));
}

TEST_F(RecordFormTest, TheEstimatedRowHeightIsCutTowardZero) {
  scroller.height = 10;
  scroller.rows = 10;  // 10 / 11 - 2 = -1.09
  EXPECT_EQ(EstimatedRowHeight(scroller), -1);
  scroller.height = 0;
  scroller.rows = 0;
  EXPECT_EQ(EstimatedRowHeight(scroller), -2);
  scroller.height = 300;
  scroller.rows = 14;
  EXPECT_EQ(EstimatedRowHeight(scroller), 18);
}

TEST_F(RecordFormTest, SteppingDropsChangesThatWereNotApplied) {
  AddRows(2);
  ShowProperties(0);
  form.EdEmail = "applied@x.com";
  form.EdEmailChange();
  form.BtApplyClick();
  EXPECT_FALSE(form.applyEnabled);
  form.BtdownClick();
  form.EdEmail = "dropped@x.com";
  form.EdEmailChange();
  form.BtupClick();
  EXPECT_EQ(form.EdEmail, "applied@x.com");
  EXPECT_EQ(results.ResultAt(1).email, "a1@x.com");
  // Only typing enables Apply; stepping leaves it disabled.
  EXPECT_FALSE(form.applyEnabled);
}

TEST_F(RecordFormTest, AnEmptyListHasNothingToShowStoreOrSelect) {
  form.FormShow(false);
  form.EdEmail = "typed@x.com";
  form.EdEmailChange();
  form.BtdownClick();
  form.BtupClick();
  EXPECT_TRUE(view.selected.empty());
  // The fields and Apply stay as they were, and OK stores nothing.
  EXPECT_EQ(form.EdEmail, "typed@x.com");
  EXPECT_TRUE(form.applyEnabled);
  EXPECT_TRUE(form.BtOkClick());
  EXPECT_EQ(results.Count(), 0);
  EXPECT_FALSE(document.documentModified);
}

}  // namespace
}  // namespace marvessa
