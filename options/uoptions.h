// The options dialog's rules over the settings record: the controls' values with their keys and
// ranges, loading, storing, the defaults, the enabling of the number boxes and the engine list.
// The dialog window binds its widgets to these controls; all text is GBK.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "base/ufolders.h"
#include "base/uglobal.h"
#include "options/uspinvalue.h"

namespace marvessa {

struct CheckControl {
  bool checked = false;
  bool enabled = true;
};

struct SpinControl : SpinValue {
  using SpinValue::SpinValue;
  bool enabled = true;
};

struct EditControl {
  std::string text;
  bool enabled = true;
};

// One row of the engine list: the check box, the name and the scope's name.
struct EngineListRow {
  bool checked = true;
  std::string name;
  std::string scope;
};

// The prepared layouts of the export format box, in their order.
const std::array<std::string, 6>& ExportLayouts();

class OptionsModel {
 public:
  OptionsModel(Settings& settings, const Folders& folders) : settings_(settings), folders_(folders) {}

  // Page "常规": a switch and its number box read as one sentence.
  CheckControl cbautoupdate;
  CheckControl cbfilterurl;
  CheckControl cbfiltertitle;
  CheckControl CBctrlemail;
  SpinControl SEctrlemailnumber{0, 0};
  CheckControl CBctrltime;
  SpinControl SEctrltimenumber{0, 0};
  CheckControl CBtimeout;
  SpinControl setimeoutnumber{0, 0};
  CheckControl CBsizecheck;
  SpinControl sesize{0, 0};
  CheckControl cbautosave;
  SpinControl seautosavetime{1, 99999};
  SpinControl sechache1number{100, 100000};
  SpinControl sechache2number{0, 100000};
  SpinControl sethdnumber{1, 512};
  std::string cbexportstring;

  // Page "代理".
  CheckControl cbProxyenabled;
  EditControl EdProxy;
  SpinControl EdProxyPort{0, 0};
  EditControl EdProxyuser;
  EditControl EdProxypsd;

  // Page "网络": how pages are requested and which links are followed.
  EditControl EdUseragent;
  EditControl EdLinkterms;
  CheckControl cbhttponly;
  CheckControl cbrobots;
  SpinControl seconnecttimeout{1, 3600};
  SpinControl selowspeedbytes{0, 1 << 30};
  SpinControl selowspeedtime{1, 3600};
  SpinControl sehostconnections{1, 48};

  // Page "引擎": one row per catalogue engine, in catalogue order.
  std::vector<EngineListRow> Lvengine;

  // Settings into the controls; stored values outside a box's range show clamped.
  void LoadControls();
  // The controls of every page but the engine page back into the settings.
  void StoreControls();
  // The catalogue's engines with their scope names, checked when switched on.
  void LoadEngineList();
  // searchengine := "0" per checked row, "1" per unchecked row.
  void StoreEngineChecks();
  // Each number box (and the proxy boxes) is enabled exactly when its switch is checked.
  void UpdateEnabling();
  // OK and Apply: store the controls and the engine checks and write the INI file. A write
  // failure raises the settings store's FileError.
  void BtOkClick();
  // The defaults into the controls; the engine selection itself is reset at once.
  void BtDefaultClick();

 private:
  // The "网络" page from these settings.
  void LoadWebControls(const Settings& s);

  Settings& settings_;
  const Folders& folders_;
};

}  // namespace marvessa
