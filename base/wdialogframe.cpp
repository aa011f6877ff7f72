#include "base/wdialogframe.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPixmap>
#include <QScreen>
#include <QStringList>

namespace marvessa {

QFont DialogFont() {
  QFont font;
  font.setFamilies({QString::fromUtf8("宋体"), QStringLiteral("SimSun"), QStringLiteral("WenQuanYi Zen Hei"),
                    QStringLiteral("Noto Sans CJK SC")});
  font.setPixelSize(12);
  return font;
}

void CentreOnScreen(QWidget& window) {
  const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  QRect frame = window.frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  window.move(frame.topLeft());
}

QPushButton* NamedButton(const char* name, const char* caption) {
  auto* button = new QPushButton(QString::fromUtf8(caption));
  button->setObjectName(QString::fromLatin1(name));
  return button;
}

QWidget* RightAlignedRow(std::initializer_list<QWidget*> widgets) {
  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addStretch();
  for (QWidget* widget : widgets) layout->addWidget(widget);
  return row;
}

bool SaveWindowPicture(QWidget& window, const QString& fileName) {
  window.show();
  const bool saved = window.grab().save(fileName);
  window.close();
  return saved;
}

}  // namespace marvessa
