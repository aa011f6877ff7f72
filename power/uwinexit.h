// Shuts the computer down (or logs off, reboots, powers off) after a countdown, with a warning
// that lets the user call it off.
#pragma once

#include <memory>
#include <set>
#include <string>

#include "base/umessages.h"
#include "base/utimer.h"
#include "power/ushutdownapi.h"

namespace marvessa {

enum class TShutdownOption { shoForce, shoLogoff, shoPoweroff, shoReboot, shoShutdown };
using TShutdownOptions = std::set<TShutdownOption>;

// The flags of the path without privileges for a set of options.
unsigned ExitFlagsFor(const TShutdownOptions& options);

// The longest message and machine name handed to the system on the path with privileges.
constexpr std::size_t kMaxShutdownMessageBytes = 128;
constexpr std::size_t kMaxMachineNameBytes = 130;
// At most maxBytes of GBK text, never ending inside a double-byte character.
std::string CutGbk(const std::string& text, std::size_t maxBytes);

class TWinExit {
 public:
  TWinExit(ShutdownApi& api, TimerFactory& timers, MessageBoxes& messages);
  TWinExit(const TWinExit&) = delete;
  TWinExit& operator=(const TWinExit&) = delete;

  TShutdownOptions Options{TShutdownOption::shoShutdown};
  std::string NTMachineName;  // empty: this computer
  std::string MessageString;  // GBK
  int TimeOut = 60;           // seconds; 0 or less: at once
  bool AllowAbort = true;

  // Asks for the shutdown privilege and starts the countdown with its warning. Returns false when
  // a privilege step failed; the shutdown is attempted anyway.
  bool Execute();
  // The countdown's tick. It stays enabled, so it repeats every TimeOut seconds.
  void DoShutdown();

 private:
  bool RequestShutdownPrivilege();
  void StartCountdown();

  ShutdownApi& api_;
  TimerFactory& timers_;
  MessageBoxes& messages_;
  std::unique_ptr<Timer> timer_;
  bool ntMode_ = false;
};

}  // namespace marvessa
