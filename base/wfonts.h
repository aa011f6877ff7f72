// The fonts and the program icon of the desktop window.
#pragma once

#include <QFont>
#include <QIcon>

namespace marvessa {

// 宋体 9 pt, or an installed CJK font where 宋体 is missing.
QFont WindowFont();
// The customer list's font until the user picks another: 宋体, 12 pixels high.
QFont CustomerListFont();
// The program icon, embedded from app/marvessa.svg.
QIcon ProgramIcon();

}  // namespace marvessa
