// The main window's connection and power actions at the end of a run: the dial-up monitor and
// the timed shutdown as the window configures them, with the two View-menu check items.
#pragma once

#include <functional>

#include "power/urasmonitor.h"
#include "power/uwinexit.h"

namespace marvessa {

class PowerActions {
 public:
  // markDocumentUnmodified clears the document's modified flag, so that no save prompt holds up
  // the closing of the program. The monitor is loaded here; its first enumeration may throw.
  PowerActions(DialUpApi& dialUp, ShutdownApi& shutdown, TimerFactory& timers, MessageBoxes& messages,
               std::function<void()> markDocumentUnmodified);

  // The check items "自动断网" and "自动关机": unchecked at start and not stored.
  bool NVdisconnect = false;
  bool NVwinExit = false;

  RasMonitor& Monitor() { return monitor_; }
  TWinExit& MWinExit() { return winExit_; }

  // Clears the modified flag and starts the countdown; the privilege result is not used.
  void ShutDownNow();
  // The end-of-run actions in their order: hang-up when NVdisconnect is checked, then the
  // shutdown when NVwinExit is checked.
  void RunEndOfRunActions();

 private:
  DialUpApi& dialUp_;
  RasMonitor monitor_;
  TWinExit winExit_;
  std::function<void()> markDocumentUnmodified_;
};

}  // namespace marvessa
