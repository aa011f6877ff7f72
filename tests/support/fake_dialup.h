// A dial-up layer that plays back scripted result codes and records every call.
#pragma once

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "power/udialup.h"

namespace marvessa::test {

struct FakeConnection {
  HRasConn handle = 0;
  std::string entryName;
  std::int32_t state = kRasConnected;
  std::string deviceType = "modem";
  std::string deviceName = "ttyS0";
};

class FakeDialUp : public DialUpApi {
 public:
  struct EnumCall {
    std::uint32_t bufferBytes;
    std::int32_t firstSize;
  };

  FakeConnection& Add(HRasConn handle, const std::string& name, std::int32_t state = kRasConnected) {
    connections.push_back({handle, name, state});
    return connections.back();
  }
  // Takes a connection away, so that its handle reports 6.
  void Remove(HRasConn handle) {
    std::erase_if(connections, [&](const FakeConnection& c) { return c.handle == handle; });
  }
  FakeConnection* Find(HRasConn handle) {
    for (FakeConnection& c : connections)
      if (c.handle == handle) return &c;
    return nullptr;
  }

  std::uint32_t EnumConnections(RasConnEntry* buffer, std::uint32_t& bufferBytes, std::uint32_t& count) override {
    enumCalls.push_back({bufferBytes, buffer[0].size});
    const auto needed = static_cast<std::uint32_t>(connections.size() * kRasConnEntrySize);
    std::uint32_t code = kRasSuccess;
    if (!enumResults.empty()) {
      code = enumResults.front();
      enumResults.pop_front();
    } else if (buffer[0].size != static_cast<std::int32_t>(kRasConnEntrySize)) {
      code = kRasInvalidSize;
    } else if (needed > bufferBytes) {
      code = kRasBufferTooSmall;
    }
    if (code == kRasBufferTooSmall) {
      bufferBytes = reportedBytes.value_or(needed);
      count = static_cast<std::uint32_t>(connections.size());
    }
    if (code != kRasSuccess) return code;
    for (std::size_t i = 0; i < connections.size(); ++i) {
      buffer[i].hConn = connections[i].handle;
      SetName(buffer[i].entryName, connections[i].entryName);
      SetName(buffer[i].deviceType, connections[i].deviceType);
      SetName(buffer[i].deviceName, connections[i].deviceName);
    }
    count = reportedCount.value_or(static_cast<std::uint32_t>(connections.size()));
    return kRasSuccess;
  }

  std::uint32_t GetConnectStatus(HRasConn hConn, RasConnStatus& status) override {
    statusCalls.push_back(hConn);
    if (const auto it = statusResults.find(hConn); it != statusResults.end()) return it->second;
    const FakeConnection* c = Find(hConn);
    if (!c) return kRasInvalidHandle;
    status.state = c->state;
    return kRasSuccess;
  }

  std::uint32_t HangUp(HRasConn hConn) override {
    hangUps.push_back(hConn);
    return kRasSuccess;
  }

  std::vector<FakeConnection> connections;
  // Codes that the next enumerations return instead of behaving like the platform.
  std::deque<std::uint32_t> enumResults;
  // A fixed status result per handle.
  std::map<HRasConn, std::uint32_t> statusResults;
  // Overrides of the size reported with 603 and of the count reported with success.
  std::optional<std::uint32_t> reportedBytes;
  std::optional<std::uint32_t> reportedCount;

  std::vector<EnumCall> enumCalls;
  std::vector<HRasConn> statusCalls;
  std::vector<HRasConn> hangUps;
};

}  // namespace marvessa::test
