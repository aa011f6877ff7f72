#include "results/wlist.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "base/wdialogframe.h"
#include "base/wdialogs.h"
#include "base/wqttext.h"

namespace marvessa {

namespace {

QString Utf8(const char* text) { return QString::fromUtf8(text); }

template <class W>
W* Named(W* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

QToolButton* StepButton(Qt::ArrowType arrow, const char* name, const char* hint) {
  auto* button = Named(new QToolButton, name);
  button->setArrowType(arrow);
  button->setToolTip(Utf8(hint));
  button->setFixedSize(22, 22);
  return button;
}

}  // namespace

Tdlglist::Tdlglist(bool insertMode, const RecordDialogParts& parts, QWidget* parent)
    : QDialog(parent), insertMode_(insertMode), form_(parts) {
  setWindowTitle(Utf8("属性"));
  setFont(DialogFont());
  setFixedSize(405, 232);
  auto* pages = new QTabWidget(this);
  pages->addTab(FieldsPage(), Utf8("邮箱地址详细信息"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(pages);
  layout->addWidget(ButtonRow());
  form_.focusEmail = [this] { EdEmail_->setFocus(); };
}

QWidget* Tdlglist::FieldsPage() {
  auto* page = new QWidget;
  EdEmail_ = Named(new QLineEdit, "EdEmail");
  Edurl_ = Named(new QLineEdit, "Edurl");
  EdTitle_ = Named(new QPlainTextEdit, "EdTitle");
  EdTitle_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  EdTitle_->setTabChangesFocus(true);
  EdTitle_->setFixedHeight(EdTitle_->fontMetrics().lineSpacing() * 5 + 10);
  Btup_ = StepButton(Qt::UpArrow, "Btup", "上一行");
  Btdown_ = StepButton(Qt::DownArrow, "Btdown", "下一行");

  auto* grid = new QGridLayout(page);
  grid->setContentsMargins(6, 6, 6, 6);
  grid->setSpacing(4);
  grid->addWidget(new QLabel(Utf8("邮址:")), 0, 0);
  grid->addWidget(EdEmail_, 0, 1);
  grid->addWidget(Btup_, 0, 2);
  grid->addWidget(Btdown_, 0, 3);
  grid->addWidget(new QLabel(Utf8("网址:")), 1, 0);
  grid->addWidget(Edurl_, 1, 1, 1, 3);
  grid->addWidget(new QLabel(Utf8("标题:")), 2, 0, Qt::AlignTop);
  grid->addWidget(EdTitle_, 2, 1, 1, 3);
  grid->setRowStretch(3, 1);

  for (QLineEdit* edit : {EdEmail_, Edurl_}) connect(edit, &QLineEdit::textChanged, this, &Tdlglist::FieldEdited);
  connect(EdTitle_, &QPlainTextEdit::textChanged, this, &Tdlglist::FieldEdited);
  connect(Btup_, &QToolButton::clicked, this, [this] {
    form_.BtupClick();
    ShowForm();
  });
  connect(Btdown_, &QToolButton::clicked, this, [this] {
    form_.BtdownClick();
    ShowForm();
  });
  return page;
}

QWidget* Tdlglist::ButtonRow() {
  QPushButton* ok = NamedButton("BtOk", "确定(&O)");
  QPushButton* cancel = NamedButton("BtCancel", "取消(&C)");
  BtApply_ = NamedButton("BtApply", "应用(&A)");
  BtApply_->setEnabled(false);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, [this] {
    RunGuarded(this, [this] {
      if (form_.BtOkClick()) accept();
    });
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(BtApply_, &QPushButton::clicked, this, [this] {
    RunGuarded(this, [this] { form_.BtApplyClick(); });
    ShowForm();
  });
  return RightAlignedRow({ok, cancel, BtApply_});
}

void Tdlglist::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (shown_) return;
  shown_ = true;
  CentreOnScreen(*this);
  EdEmail_->setFocus();
  form_.FormShow(insertMode_);
  ShowForm();
}

void Tdlglist::FieldEdited() {
  form_.EdEmail = ToGbk(EdEmail_->text());
  form_.Edurl = ToGbk(Edurl_->text());
  form_.EdTitle = ToGbk(EdTitle_->toPlainText());
  form_.EdEmailChange();
  BtApply_->setEnabled(form_.applyEnabled);
}

void Tdlglist::ShowForm() {
  setWindowTitle(FromGbk(form_.Caption()));
  Btup_->setVisible(form_.StepButtonsVisible());
  Btdown_->setVisible(form_.StepButtonsVisible());
  {
    const QSignalBlocker blockEmail(EdEmail_);
    const QSignalBlocker blockUrl(Edurl_);
    const QSignalBlocker blockTitle(EdTitle_);
    EdEmail_->setText(FromGbk(form_.EdEmail));
    Edurl_->setText(FromGbk(form_.Edurl));
    EdTitle_->setPlainText(FromGbk(form_.EdTitle));
  }
  BtApply_->setEnabled(form_.applyEnabled);
}

void ShowRecordDialog(bool insertMode, const RecordDialogParts& parts, QWidget* parent) {
  Tdlglist dialog(insertMode, parts, parent);
  dialog.exec();
}

bool SaveRecordScreenshot(bool insertMode, const RecordDialogParts& parts, const QString& fileName) {
  Tdlglist dialog(insertMode, parts, nullptr);
  return SaveWindowPicture(dialog, fileName);
}

}  // namespace marvessa
