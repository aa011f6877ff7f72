#include "engines/wupdate.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

#include "base/wqttext.h"

namespace marvessa {

TdlgUpdate::TdlgUpdate(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("dlgUpdate"));
  setFixedSize(kWidth, kHeight);
  setModal(false);
  lbMsg_ = new QLabel(QStringLiteral(u"正在升级引擎..."), this);
  lbMsg_->setObjectName(QStringLiteral("lbMsg"));
  lbMsg_->setAlignment(Qt::AlignCenter);
  BtCancel_ = new QPushButton(QStringLiteral(u"终止(&C)"), this);
  BtCancel_->setObjectName(QStringLiteral("BtCancel"));
  connect(BtCancel_, &QPushButton::clicked, this, [this] {
    if (onButton) onButton();
  });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lbMsg_, 1);
  layout->addWidget(BtCancel_, 0, Qt::AlignHCenter);
}

void TdlgUpdate::SetUpdateMessage(const std::string& text) { lbMsg_->setText(FromGbk(text)); }

void TdlgUpdate::SetUpdateButtonCaption(const std::string& caption) { BtCancel_->setText(FromGbk(caption)); }

void TdlgUpdate::reject() { BtCancel_->click(); }

void TdlgUpdate::ShowUpdateDialog() {
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  show();
  raise();
}

}  // namespace marvessa
