// The options dialog ToptionsDlg.
#pragma once

#include <QWidget>

#include "app/ufolders.h"
#include "app/uglobal.h"

namespace marvessa {

// "选项": creates the dialog over the settings, shows it modally and destroys it when it closes.
void ShowOptionsDialog(Settings& settings, const Folders& folders, QWidget* parent);

}  // namespace marvessa
