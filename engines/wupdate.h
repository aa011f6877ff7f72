// TdlgUpdate: the progress window of the on-demand engine update. It lives for the whole
// process and is shown without blocking the main window.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <functional>

#include "engines/uupdate.h"

namespace marvessa {

class TdlgUpdate : public QDialog, public UpdateDialogView {
 public:
  static constexpr int kWidth = 268;
  static constexpr int kHeight = 91;

  explicit TdlgUpdate(QWidget* parent = nullptr);

  // The button, whatever its caption.
  std::function<void()> onButton;

  // UpdateDialogView
  void SetUpdateMessage(const std::string& text) override;
  void SetUpdateButtonCaption(const std::string& caption) override;
  void ShowUpdateDialog() override;
  void HideUpdateDialog() override { hide(); }

  // Escape works the button.
  void reject() override;

  QLabel* lbMsg() const { return lbMsg_; }
  QPushButton* BtCancel() const { return BtCancel_; }

 private:
  QLabel* lbMsg_;
  QPushButton* BtCancel_;
};

}  // namespace marvessa
