#include "app/wdialogframe.h"

#include <QGuiApplication>
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

bool SaveWindowPicture(QWidget& window, const QString& fileName) {
  window.show();
  const bool saved = window.grab().save(fileName);
  window.close();
  return saved;
}

}  // namespace marvessa
