#include "results/urecord.h"

#include "base/utext.h"

namespace marvessa {

int EstimatedRowHeight(const ListScroller& scroller) {
  const double perRow = static_cast<double>(scroller.ViewHeight()) / (scroller.VisibleRowCount() + 1) - 2;
  return static_cast<int>(perRow);
}

std::string RecordForm::Caption() const { return insertMode_ ? "增加" : "属性"; }

void RecordForm::FormShow(bool insertMode) {
  insertMode_ = insertMode;
  if (!insertMode_) rowIndex_ = p_.selection.FirstSelected();
  LoadFields();
}

void RecordForm::LoadFields() {
  if (insertMode_) {
    EdEmail.clear();
    Edurl.clear();
    EdTitle.clear();
    FocusEmail();
  } else {
    if (!IsRow(rowIndex_)) return;
    const ResultRecord& row = p_.results.ResultAt(rowIndex_);
    EdEmail = row.email;
    Edurl = row.url;
    EdTitle = row.title;
  }
  applyEnabled = false;
}

bool RecordForm::ValidateEmail() {
  if (!Trim(EdEmail).empty()) return true;
  p_.messages.ShowMessage({"请输入邮址!  ", "提示", MessageIcon::Information, MessageButtons::Ok});
  FocusEmail();
  return false;
}

void RecordForm::StoreFields() {
  if (insertMode_) {
    p_.results.AddResult(EdEmail, Edurl, EdTitle);
  } else {
    if (!IsRow(rowIndex_)) return;
    ResultRecord& row = p_.results.ResultAt(rowIndex_);
    row.email = EdEmail;
    row.url = Edurl;
    row.title = EdTitle;
    if (ResultView* view = p_.results.View()) view->Redraw();
  }
  p_.document.documentModified = true;
}

bool RecordForm::BtOkClick() {
  if (!ValidateEmail()) return false;
  StoreFields();
  return true;
}

void RecordForm::BtApplyClick() {
  if (!ValidateEmail()) return;
  StoreFields();
  LoadFields();
}

void RecordForm::FocusEmail() {
  if (focusEmail) focusEmail();
}

void RecordForm::Step(int direction) {
  p_.selection.ClearSelection();
  rowIndex_ += direction;
  p_.scroller.ScrollBy(direction * EstimatedRowHeight(p_.scroller));
  if (direction < 0 && rowIndex_ < 0) rowIndex_ = 0;
  if (direction > 0 && rowIndex_ > p_.results.Count() - 1) rowIndex_ = p_.results.Count() - 1;
  // An empty list has no row to select.
  if (IsRow(rowIndex_)) p_.selection.SelectOne(rowIndex_);
  LoadFields();
}

}  // namespace marvessa
