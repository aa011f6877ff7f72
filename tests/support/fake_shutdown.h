// A shutdown layer that answers from settings and records every call.
#pragma once

#include <string>
#include <vector>

#include "power/ushutdownapi.h"

namespace marvessa::test {

class FakeShutdown : public ShutdownApi {
 public:
  struct SystemShutdownCall {
    std::string machineName;
    std::string message;
    unsigned timeoutSeconds;
    bool forceAppsClosed;
    bool rebootAfter;
  };

  std::uint32_t PlatformId() override { return platformId; }
  bool OpenProcessToken(unsigned access, TokenHandle& token) override {
    steps.push_back("open " + std::to_string(access));
    token = 77;
    return openSucceeds;
  }
  bool LookupPrivilegeValue(const std::string& systemName, const std::string& privilegeName,
                            PrivilegeId& id) override {
    steps.push_back("lookup [" + systemName + "] " + privilegeName);
    id = 19;
    return lookupSucceeds;
  }
  bool AdjustTokenPrivilege(TokenHandle token, PrivilegeId id, unsigned attributes) override {
    steps.push_back("adjust " + std::to_string(token) + " " + std::to_string(id) + " " + std::to_string(attributes));
    return adjustSucceeds;
  }
  void CloseToken(TokenHandle token) override { steps.push_back("close " + std::to_string(token)); }
  bool InitiateSystemShutdown(const std::string& machineName, const std::string& message, unsigned timeoutSeconds,
                              bool forceAppsClosed, bool rebootAfter) override {
    systemShutdowns.push_back({machineName, message, timeoutSeconds, forceAppsClosed, rebootAfter});
    return true;
  }
  bool ExitWindows(unsigned flags) override {
    exitFlags.push_back(flags);
    return true;
  }

  std::size_t ShutdownCount() const { return systemShutdowns.size() + exitFlags.size(); }

  std::uint32_t platformId = kPlatformNt;
  bool openSucceeds = true;
  bool lookupSucceeds = true;
  bool adjustSucceeds = true;

  std::vector<std::string> steps;
  std::vector<SystemShutdownCall> systemShutdowns;
  std::vector<unsigned> exitFlags;
};

}  // namespace marvessa::test
