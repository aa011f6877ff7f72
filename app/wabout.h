// Taboutdlg: the about box, created when opened and destroyed when it closes.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace marvessa {

class Taboutdlg : public QDialog {
 public:
  explicit Taboutdlg(QWidget* parent);

  QLabel* title() const { return title_; }
  QPlainTextEdit* notice() const { return notice_; }
  QPushButton* BtOk() const { return BtOk_; }

 private:
  QLabel* title_;
  QPlainTextEdit* notice_;
  QPushButton* BtOk_;
};

// "关于...": shows the about box modally.
void ShowAboutBox(QWidget* parent);

}  // namespace marvessa
