#include "app/wabout.h"

#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QScreen>

#include "base/wfonts.h"

namespace marvessa {

namespace {

constexpr auto kReleaseLine = u"发布日期: 2024年6月    版权所有 (C) Rodideva 软件工作室";
constexpr auto kNotice =
    u"本软件仅供收集企业公开的业务联系方式,用于正当的商业往来。\n"
    u"严禁将本软件或其搜索结果用于发送垃圾邮件(未经收件人同意的批量邮件)或任何违反法律法规的用途。\n"
    u"使用者须自行遵守所在地区关于电子邮件营销和个人信息保护的法律,并对其使用行为承担全部责任。";

}  // namespace

Taboutdlg::Taboutdlg(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName(QStringLiteral("aboutdlg"));
  setWindowTitle(QStringLiteral(u"关于Marvessa"));

  auto* icon = new QLabel(this);
  icon->setPixmap(ProgramIcon().pixmap(48, 48));
  title_ = new QLabel(QStringLiteral("Marvessa %1").arg(QStringLiteral(MARVESSA_VERSION)), this);
  QFont big = title_->font();
  big.setBold(true);
  big.setPointSize(big.pointSize() + 3);
  title_->setFont(big);
  auto* release = new QLabel(QString::fromUtf16(kReleaseLine), this);
  notice_ = new QPlainTextEdit(QString::fromUtf16(kNotice), this);
  notice_->setReadOnly(true);
  notice_->setFixedHeight(96);
  auto* bevel = new QFrame(this);
  bevel->setFrameShape(QFrame::HLine);
  bevel->setFrameShadow(QFrame::Sunken);
  BtOk_ = new QPushButton(QStringLiteral(u"确定(&O)"), this);
  BtOk_->setDefault(true);
  connect(BtOk_, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QGridLayout(this);
  layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
  layout->addWidget(title_, 0, 1);
  layout->addWidget(release, 1, 1);
  layout->addWidget(notice_, 2, 0, 1, 2);
  layout->addWidget(bevel, 3, 0, 1, 2);
  layout->addWidget(BtOk_, 4, 0, 1, 2, Qt::AlignRight);
  setFixedSize(sizeHint().expandedTo(QSize(380, 0)));
}

void ShowAboutBox(QWidget* parent) {
  Taboutdlg box(parent);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    box.move(screen->availableGeometry().center() - box.rect().center());
  box.exec();
}

}  // namespace marvessa
