// The frame shared by the program's small dialogs: their font and their place on the screen.
#pragma once

#include <QFont>
#include <QString>
#include <QWidget>

namespace marvessa {

// "宋体" at 12 pixels, or an installed CJK font where it is missing.
QFont DialogFont();
// Moves a window to the centre of the screen it is on (the primary screen before it is shown).
void CentreOnScreen(QWidget& window);
// Shows the window, saves its picture to the file and closes it again.
bool SaveWindowPicture(QWidget& window, const QString& fileName);

}  // namespace marvessa
