// The frame shared by the program's small dialogs: their font and their place on the screen.
#pragma once

#include <QFont>
#include <QPushButton>
#include <QString>
#include <QWidget>
#include <initializer_list>

namespace marvessa {

// "宋体" at 12 pixels, or an installed CJK font where it is missing.
QFont DialogFont();
// Moves a window to the centre of the screen it is on (the primary screen before it is shown).
void CentreOnScreen(QWidget& window);
// A push button with its control name as object name; the caption is UTF-8.
QPushButton* NamedButton(const char* name, const char* caption);
// The widgets side by side at the right, as the buttons below a dialog's pages stand.
QWidget* RightAlignedRow(std::initializer_list<QWidget*> widgets);
// Shows the window, saves its picture to the file and closes it again.
bool SaveWindowPicture(QWidget& window, const QString& fileName);

}  // namespace marvessa
