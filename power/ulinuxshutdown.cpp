#include "power/ulinuxshutdown.h"

#include <cstdlib>
#include <iostream>

#include "base/utext.h"
#include "power/uprocess.h"

namespace marvessa {

std::vector<std::string> SystemShutdownCommand(bool forceAppsClosed, bool rebootAfter, const std::string& messageUtf8) {
  std::vector<std::string> argv{"systemctl", rebootAfter ? "reboot" : "poweroff"};
  if (forceAppsClosed) argv.push_back("-i");
  if (!messageUtf8.empty()) argv.push_back("--message=" + messageUtf8);
  return argv;
}

std::optional<std::vector<std::string>> ExitWindowsCommand(unsigned flags, const char* sessionId) {
  const char* verb = nullptr;
  if (flags & kExitReboot) {
    verb = "reboot";
  } else if (flags & (kExitPoweroff | kExitShutdown)) {
    verb = "poweroff";
  }
  if (verb) {
    std::vector<std::string> argv{"systemctl", verb};
    if (flags & kExitForce) argv.push_back("-i");
    return argv;
  }
  if (!sessionId || !*sessionId) return std::nullopt;
  return std::vector<std::string>{"loginctl", "terminate-session", sessionId};
}

bool LinuxShutdown::OpenProcessToken(unsigned, TokenHandle& token) {
  token = 1;
  return true;
}

bool LinuxShutdown::LookupPrivilegeValue(const std::string&, const std::string&, PrivilegeId& id) {
  id = 1;
  return true;
}

bool LinuxShutdown::AdjustTokenPrivilege(TokenHandle, PrivilegeId, unsigned) { return true; }

void LinuxShutdown::CloseToken(TokenHandle) {}

bool LinuxShutdown::InitiateSystemShutdown(const std::string& machineName, const std::string& message, unsigned,
                                           bool forceAppsClosed, bool rebootAfter) {
  if (PowerActionRefused(rebootAfter ? "reboot the computer" : "shut the computer down")) return false;
  if (!machineName.empty()) {
    std::cerr << "marvessa: shutting down another computer is not supported\n";
    return false;
  }
  return RunProgram(SystemShutdownCommand(forceAppsClosed, rebootAfter, GbkToUtf8(message))) == 0;
}

bool LinuxShutdown::ExitWindows(unsigned flags) {
  if (PowerActionRefused("shut down or log off")) return false;
  const auto argv = ExitWindowsCommand(flags, std::getenv("XDG_SESSION_ID"));
  if (!argv) {
    std::cerr << "marvessa: cannot log off: XDG_SESSION_ID is not set\n";
    return false;
  }
  return RunProgram(*argv) == 0;
}

}  // namespace marvessa
