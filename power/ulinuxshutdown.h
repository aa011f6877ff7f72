// Shutdown on Linux through systemd: power-off and reboot with systemctl (logind decides, through
// polkit, whether this user may), log-off by ending the user's login session with loginctl.
// The version query reports the path with privileges. Its three privilege steps succeed without
// doing anything: on Linux the permission is checked when the shutdown itself is asked for.
// Shutting down another computer by name is not supported and refused. With
// MARVESSA_NO_POWER_ACTIONS set, nothing is shut down and nobody is logged off.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "power/ushutdownapi.h"

namespace marvessa {

// The command of the path with privileges; message in UTF-8.
std::vector<std::string> SystemShutdownCommand(bool forceAppsClosed, bool rebootAfter, const std::string& messageUtf8);
// The command for the flags of the other path: reboot before power-off before shut-down (which
// also powers off); no such flag means log off, which needs the session id. Nothing without one.
std::optional<std::vector<std::string>> ExitWindowsCommand(unsigned flags, const char* sessionId);

class LinuxShutdown : public ShutdownApi {
 public:
  std::uint32_t PlatformId() override { return kPlatformNt; }
  bool OpenProcessToken(unsigned access, TokenHandle& token) override;
  bool LookupPrivilegeValue(const std::string& systemName, const std::string& privilegeName,
                            PrivilegeId& id) override;
  bool AdjustTokenPrivilege(TokenHandle token, PrivilegeId id, unsigned attributes) override;
  void CloseToken(TokenHandle token) override;
  // Acts at once: the countdown is the caller's, so timeoutSeconds is not used.
  bool InitiateSystemShutdown(const std::string& machineName, const std::string& message,
                              unsigned timeoutSeconds, bool forceAppsClosed, bool rebootAfter) override;
  bool ExitWindows(unsigned flags) override;
};

}  // namespace marvessa
