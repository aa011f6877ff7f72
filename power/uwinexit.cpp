#include "power/uwinexit.h"

#include <algorithm>
#include <climits>

#include "base/utext.h"

namespace marvessa {

unsigned ExitFlagsFor(const TShutdownOptions& options) {
  unsigned flags = 0;
  for (const TShutdownOption option : options) {
    switch (option) {
      case TShutdownOption::shoForce: flags |= kExitForce; break;
      case TShutdownOption::shoLogoff: flags |= kExitLogoff; break;
      case TShutdownOption::shoPoweroff: flags |= kExitPoweroff; break;
      case TShutdownOption::shoReboot: flags |= kExitReboot; break;
      case TShutdownOption::shoShutdown: flags |= kExitShutdown; break;
    }
  }
  return flags;
}

std::string CutGbk(const std::string& text, std::size_t maxBytes) {
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t width = IsGbkLeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1;
    if (end + width > maxBytes) break;
    end += width;
  }
  return text.substr(0, std::min(end, text.size()));
}

TWinExit::TWinExit(ShutdownApi& api, TimerFactory& timers, MessageBoxes& messages)
    : api_(api), timers_(timers), messages_(messages) {}

bool TWinExit::Execute() {
  ntMode_ = false;
  bool allSucceeded = true;
  if (api_.PlatformId() == kPlatformNt) {
    allSucceeded = RequestShutdownPrivilege();
    ntMode_ = true;
  }
  if (TimeOut <= 0) {
    DoShutdown();
    return allSucceeded;
  }
  StartCountdown();
  MessageSpec warning;
  warning.text = MessageString;
  warning.caption = "警告";
  warning.icon = MessageIcon::Warning;
  warning.buttons = AllowAbort ? MessageButtons::Ok : MessageButtons::None;
  messages_.ShowMessage(warning);
  // The countdown ran on while the box was open; confirming it calls the shutdown off.
  if (AllowAbort) timer_->SetEnabled(false);
  return allSucceeded;
}

// A step that fails leaves out the steps that need its result.
bool TWinExit::RequestShutdownPrivilege() {
  TokenHandle token = 0;
  if (!api_.OpenProcessToken(kTokenAdjustAndQuery, token)) return false;
  PrivilegeId id = 0;
  const bool ok = api_.LookupPrivilegeValue("", kShutdownPrivilegeName, id) &&
                  api_.AdjustTokenPrivilege(token, id, kPrivilegeEnabled);
  api_.CloseToken(token);
  return ok;
}

void TWinExit::StartCountdown() {
  if (!timer_) timer_ = timers_.CreateTimer([this] { DoShutdown(); });
  const long long ms = static_cast<long long>(TimeOut) * 1000;
  timer_->SetInterval(static_cast<int>(std::min<long long>(ms, INT_MAX)));
  timer_->SetEnabled(true);
}

void TWinExit::DoShutdown() {
  if (ntMode_) {
    const bool force = Options.count(TShutdownOption::shoForce) > 0;
    const bool reboot = Options.count(TShutdownOption::shoReboot) > 0;
    api_.InitiateSystemShutdown(CutGbk(NTMachineName, kMaxMachineNameBytes),
                                CutGbk(MessageString, kMaxShutdownMessageBytes), 0, force, reboot);
  } else {
    api_.ExitWindows(ExitFlagsFor(Options));
  }
}

}  // namespace marvessa
