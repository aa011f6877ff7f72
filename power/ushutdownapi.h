// The platform's shutdown calls, behind a narrow interface: the version query, the three steps
// that give the process the shutdown privilege, and the two shutdown calls.
#pragma once

#include <cstdint>
#include <string>

namespace marvessa {

constexpr std::uint32_t kPlatformNt = 2;

constexpr unsigned kExitLogoff = 0;
constexpr unsigned kExitShutdown = 1;
constexpr unsigned kExitReboot = 2;
constexpr unsigned kExitForce = 4;
constexpr unsigned kExitPoweroff = 8;

constexpr unsigned kTokenAdjustAndQuery = 0x28;
constexpr unsigned kPrivilegeEnabled = 2;
constexpr const char* kShutdownPrivilegeName = "SeShutdownPrivilege";

using TokenHandle = std::uintptr_t;
using PrivilegeId = std::uint64_t;

class ShutdownApi {
 public:
  virtual ~ShutdownApi() = default;
  virtual std::uint32_t PlatformId() = 0;
  // Each step returns false when it fails.
  virtual bool OpenProcessToken(unsigned access, TokenHandle& token) = 0;
  // systemName empty: this computer.
  virtual bool LookupPrivilegeValue(const std::string& systemName, const std::string& privilegeName,
                                    PrivilegeId& id) = 0;
  virtual bool AdjustTokenPrivilege(TokenHandle token, PrivilegeId id, unsigned attributes) = 0;
  virtual void CloseToken(TokenHandle token) = 0;
  // The path with privileges. machineName empty: this computer.
  virtual bool InitiateSystemShutdown(const std::string& machineName, const std::string& message,
                                      unsigned timeoutSeconds, bool forceAppsClosed, bool rebootAfter) = 0;
  // The other path; flags are an OR of the kExit* values.
  virtual bool ExitWindows(unsigned flags) = 0;
};

}  // namespace marvessa
