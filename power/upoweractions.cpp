#include "power/upoweractions.h"

namespace marvessa {

PowerActions::PowerActions(DialUpApi& dialUp, ShutdownApi& shutdown, TimerFactory& timers,
                           MessageBoxes& messages, std::function<void()> markDocumentUnmodified)
    : dialUp_(dialUp),
      monitor_(dialUp, timers),
      winExit_(shutdown, timers, messages),
      markDocumentUnmodified_(std::move(markDocumentUnmodified)) {
  // The monitor's defaults are the window's values: enabled, polling every 2000 ms.
  monitor_.Loaded();
  winExit_.Options = {TShutdownOption::shoPoweroff};
  winExit_.TimeOut = 60;
  winExit_.AllowAbort = true;
  winExit_.MessageString = "系统将在1分钟内关机,按[确定]即可终止!";
}

void PowerActions::ShutDownNow() {
  if (markDocumentUnmodified_) markDocumentUnmodified_();
  winExit_.Execute();
}

void PowerActions::RunEndOfRunActions() {
  if (NVdisconnect) HangUpAll(monitor_, dialUp_);
  if (NVwinExit) ShutDownNow();
}

}  // namespace marvessa
