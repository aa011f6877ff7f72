// The record dialog Tdlglist: a customer-list row typed in ("增加") or looked at and changed ("属性").
#pragma once

#include <QDialog>
#include <QString>
#include <QWidget>

#include "results/urecord.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace marvessa {

// The controls carry their names as object names (EdEmail, Btup, BtApply, ...). The mode is taken
// when the dialog is first shown; it can be shown without exec().
class Tdlglist : public QDialog {
  Q_OBJECT

 public:
  Tdlglist(bool insertMode, const RecordDialogParts& parts, QWidget* parent);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* FieldsPage();
  QWidget* ButtonRow();
  void FieldEdited();
  void ShowForm();

  bool insertMode_;
  bool shown_ = false;
  RecordForm form_;
  QLineEdit* EdEmail_ = nullptr;
  QLineEdit* Edurl_ = nullptr;
  QPlainTextEdit* EdTitle_ = nullptr;
  QToolButton* Btup_ = nullptr;
  QToolButton* Btdown_ = nullptr;
  QPushButton* BtApply_ = nullptr;
};

// Creates the dialog in insert or properties mode, shows it modally and destroys it when it closes.
void ShowRecordDialog(bool insertMode, const RecordDialogParts& parts, QWidget* parent);

// Builds the dialog over the parts (properties mode shows the first selected row) and saves its
// picture to the file.
bool SaveRecordScreenshot(bool insertMode, const RecordDialogParts& parts, const QString& fileName);

}  // namespace marvessa
