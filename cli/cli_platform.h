// The platform of the command line: timers that its main loop fires on real time, and no
// desktop shell, dial-up links or power actions (the command line offers none of them).
#pragma once

#include <chrono>
#include <vector>

#include "base/utimer.h"
#include "power/udialup.h"
#include "power/ushutdownapi.h"
#include "results/ushell.h"

namespace marvessa::cli {

class LoopTimerFactory;

class LoopTimer : public Timer {
 public:
  LoopTimer(LoopTimerFactory& factory, std::function<void()> onTick);
  ~LoopTimer() override;
  void SetInterval(int ms) override { interval_ = ms; }
  int Interval() const override { return interval_; }
  void SetEnabled(bool enabled) override;
  bool Enabled() const override { return enabled_; }
  // Runs the tick when it is due.
  void FireIfDue(std::chrono::steady_clock::time_point now);

 private:
  LoopTimerFactory& factory_;
  std::function<void()> onTick_;
  int interval_ = 1000;
  bool enabled_ = false;
  std::chrono::steady_clock::time_point due_;
};

class LoopTimerFactory : public TimerFactory {
 public:
  std::unique_ptr<Timer> CreateTimer(std::function<void()> onTick) override;
  // Fires every enabled timer whose interval has passed.
  void FireDue();

 private:
  friend class LoopTimer;
  std::vector<LoopTimer*> timers_;
};

class NoShell : public ShellPlatform {
 public:
  void ShellOpen(const std::string&) override {}
  void SetClipboardText(const std::string&) override {}
};

// A machine without dial-up connections.
class NoDialUp : public DialUpApi {
 public:
  std::uint32_t EnumConnections(RasConnEntry*, std::uint32_t&, std::uint32_t& count) override {
    count = 0;
    return kRasSuccess;
  }
  std::uint32_t GetConnectStatus(HRasConn, RasConnStatus&) override { return kRasInvalidHandle; }
  std::uint32_t HangUp(HRasConn) override { return kRasInvalidHandle; }
};

// Power actions the command line never takes: every step fails.
class NoShutdown : public ShutdownApi {
 public:
  std::uint32_t PlatformId() override { return 0; }
  bool OpenProcessToken(unsigned, TokenHandle&) override { return false; }
  bool LookupPrivilegeValue(const std::string&, const std::string&, PrivilegeId&) override { return false; }
  bool AdjustTokenPrivilege(TokenHandle, PrivilegeId, unsigned) override { return false; }
  void CloseToken(TokenHandle) override {}
  bool InitiateSystemShutdown(const std::string&, const std::string&, unsigned, bool, bool) override { return false; }
  bool ExitWindows(unsigned) override { return false; }
};

}  // namespace marvessa::cli
