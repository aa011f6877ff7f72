// The options dialog ToptionsDlg.
#pragma once

#include <QDialog>
#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

#include "base/ufolders.h"
#include "base/uglobal.h"
#include "options/uoptions.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace marvessa {

class SpinEdit;

// The controls carry their names as object names (sethdnumber, Lvengine, BtApply, ...). Loaded
// while it is created; it can be shown without exec().
class ToptionsDlg : public QDialog {
  Q_OBJECT

 public:
  ToptionsDlg(Settings& settings, const Folders& folders, QWidget* parent);

  // 0 "常规", 1 "代理", 2 "引擎".
  void ShowPage(int page);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* GeneralPage();
  QWidget* ProxyPage();
  QWidget* EnginePage();
  QWidget* WebPage();
  QWidget* ButtonRow();

  QCheckBox* Check(CheckControl& control, const char* name, const char* caption, bool switchesBox = false);
  SpinEdit* Spin(SpinControl& control, const char* name);
  QLineEdit* Edit(EditControl& control, const char* name);
  void Sentence(QGridLayout* grid, QWidget* head, SpinEdit* box, const char* unit);

  void ShowControls();
  void ShowEngineList();

  OptionsModel model_;
  std::vector<std::function<void()>> showers_;
  QTabWidget* pages_ = nullptr;
  QComboBox* cbexportstring_ = nullptr;
  QTableWidget* Lvengine_ = nullptr;
};

// "选项": creates the dialog over the settings, shows it modally and destroys it when it closes.
void ShowOptionsDialog(Settings& settings, const Folders& folders, QWidget* parent);

// Builds the dialog over the settings, shows the page (0..2) and saves its picture to the file.
bool SaveOptionsScreenshot(Settings& settings, const Folders& folders, int page, const QString& fileName);

}  // namespace marvessa
