#include "base/wfonts.h"

#include <QApplication>
#include <QStringList>
#include <QStyle>

namespace marvessa {

namespace {

// SimSun is 宋体's Latin name; WenQuanYi Zen Hei is the CJK font the program ships with on Linux.
QFont SongTi() {
  QFont font;
  font.setFamilies({QStringLiteral(u"宋体"), QStringLiteral("SimSun"), QStringLiteral("WenQuanYi Zen Hei")});
  return font;
}

}  // namespace

QFont WindowFont() {
  QFont font = SongTi();
  font.setPointSize(9);
  return font;
}

QFont CustomerListFont() {
  QFont font = SongTi();
  font.setPixelSize(12);
  return font;
}

QIcon ProgramIcon() {
  QIcon icon(QStringLiteral(":/marvessa.svg"));
  // Without the SVG image plugin the icon cannot be drawn; a standard icon stands in.
  if (icon.pixmap(32, 32).isNull()) return QApplication::style()->standardIcon(QStyle::SP_ComputerIcon);
  return icon;
}

}  // namespace marvessa
