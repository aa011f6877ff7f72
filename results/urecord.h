// The record dialog's rules: a customer-list row typed in (insert mode) or looked at, changed and
// stepped through (properties mode), over the result list and the list view. All text is GBK.
#pragma once

#include <functional>
#include <string>

#include "base/umessages.h"
#include "results/udocstate.h"
#include "results/ulistcommands.h"
#include "results/ulistscroller.h"
#include "results/uresults.h"

namespace marvessa {

struct RecordDialogParts {
  ResultList& results;
  ResultSelection& selection;
  ListScroller& scroller;
  DocumentState& document;
  MessageBoxes& messages;
};

// The pixels one step scrolls the list view: its height divided by (the rows that fit + 1),
// minus 2, cut toward zero.
int EstimatedRowHeight(const ListScroller& scroller);

class RecordForm {
 public:
  explicit RecordForm(const RecordDialogParts& parts) : p_(parts) {}

  // The fields as typed; the window keeps them in step with its edits.
  std::string EdEmail;
  std::string Edurl;
  std::string EdTitle;
  bool applyEnabled = false;
  // Runs whenever the e-mail field is to take the focus.
  std::function<void()> focusEmail;

  // The row shown in properties mode.
  int RowIndex() const { return rowIndex_; }
  // "增加" or "属性".
  std::string Caption() const;
  bool StepButtonsVisible() const { return !insertMode_; }

  // Takes the mode and, in properties mode, the first selected row; then loads the fields.
  void FormShow(bool insertMode);
  void LoadFields();
  // Any change of any of the three fields.
  void EdEmailChange() { applyEnabled = true; }
  // Shows "请输入邮址!  " and fails when the e-mail field is blank.
  bool ValidateEmail();
  void StoreFields();
  // True when the dialog is to close.
  bool BtOkClick();
  void BtApplyClick();
  // Properties mode: the previous or next row; changes not applied are dropped.
  void BtupClick() { Step(-1); }
  void BtdownClick() { Step(+1); }

 private:
  bool IsRow(int index) const { return index >= 0 && index < p_.results.Count(); }
  void FocusEmail();
  void Step(int direction);

  RecordDialogParts p_;
  bool insertMode_ = false;
  int rowIndex_ = -1;
};

}  // namespace marvessa
