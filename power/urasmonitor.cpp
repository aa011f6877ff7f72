#include "power/urasmonitor.h"

#include <algorithm>

namespace marvessa {
namespace {

constexpr std::uint32_t kFirstTryRecords = 16;

[[noreturn]] void ThrowEnumerationError(std::uint32_t code) {
  throw ERASNotifyError("Could not enumerate connections.\r\nError Code " + std::to_string(code));
}

// Room for at least bufferBytes bytes of records, the first one marked with the record size.
RasConnList ReserveRecords(std::uint32_t bufferBytes) {
  const std::size_t records = std::max<std::size_t>(1, (bufferBytes + kRasConnEntrySize - 1) / kRasConnEntrySize);
  RasConnList buffer(records);
  buffer[0].size = static_cast<std::int32_t>(kRasConnEntrySize);
  return buffer;
}

bool Vanished(std::uint32_t code) { return code == kRasInvalidHandle || code == kRasInvalidPortHandle; }

}  // namespace

EOutOfMemory::EOutOfMemory() : std::runtime_error("Not enough memory to complete operation") {}

RasMonitor::RasMonitor(DialUpApi& api, TimerFactory& timers) : api_(api), timers_(timers) {}

RasMonitor::~RasMonitor() {
  if (timer_) timer_->SetEnabled(false);
}

void RasMonitor::Loaded() {
  if (enabled_) list_ = EnumerateConnections();
  timer_ = timers_.CreateTimer([this] { Poll(); });
  timer_->SetInterval(pollInterval_);
  timer_->SetEnabled(enabled_);
}

void RasMonitor::SetEnabled(bool value) {
  if (value == enabled_) return;
  if (timer_) {
    list_.clear();
    if (value) list_ = EnumerateConnections();
    timer_->SetEnabled(value);
  }
  enabled_ = value;
  if (value) {
    DoEnable();
  } else {
    DoDisable();
  }
}

void RasMonitor::SetPollInterval(int value) {
  if (value == pollInterval_ || value < kMinPollInterval || value > kMaxPollInterval) return;
  pollInterval_ = value;
  if (timer_) timer_->SetInterval(value);
}

HRasConn RasMonitor::ConnectionHandle(int index) const {
  if (index < 0 || index >= ConnectionCount()) throw ERASNotifyError("Invalid index");
  return list_[static_cast<std::size_t>(index)].hConn;
}

RasConnList RasMonitor::EnumerateConnections() {
  std::uint32_t bufferBytes = kFirstTryRecords * kRasConnEntrySize;
  RasConnList buffer = ReserveRecords(bufferBytes);
  std::uint32_t count = 0;
  std::uint32_t code = api_.EnumConnections(buffer.data(), bufferBytes, count);
  if (code == kRasNotEnoughMemory) throw EOutOfMemory();
  if (code == kRasBufferTooSmall) {
    buffer = ReserveRecords(bufferBytes);
    code = api_.EnumConnections(buffer.data(), bufferBytes, count);
    if (code == kRasNotEnoughMemory || code == kRasBufferTooSmall) throw EOutOfMemory();
  }
  if (code != kRasSuccess) ThrowEnumerationError(code);
  // A count beyond the records handed over would read past the buffer.
  buffer.resize(std::min<std::size_t>(count, buffer.size()));
  for (RasConnEntry& entry : buffer) entry.size = QueryState(entry.hConn);
  return buffer;
}

std::int32_t RasMonitor::QueryState(HRasConn hConn) {
  RasConnStatus status;
  const std::uint32_t code = api_.GetConnectStatus(hConn, status);
  if (code != kRasSuccess) ThrowEnumerationError(code);
  return status.state;
}

void RasMonitor::Poll() {
  for (RasConnEntry& entry : list_) PollCachedEntry(entry);
  RasConnList fresh = EnumerateConnections();
  RasConnList appeared;
  for (const RasConnEntry& entry : fresh) {
    const bool known = std::any_of(list_.begin(), list_.end(),
                                   [&](const RasConnEntry& cached) { return cached.hConn == entry.hConn; });
    if (!known && entry.size == kRasConnected) appeared.push_back(entry);
  }
  list_ = std::move(fresh);
  for (const RasConnEntry& entry : appeared) DoConnected(entry);
}

// Raises the connect or disconnect of one cached entry. A vanished entry keeps neither state
// nor handle, so a later connection that reuses the handle counts as new.
void RasMonitor::PollCachedEntry(RasConnEntry& entry) {
  const bool wasConnected = entry.size == kRasConnected;
  RasConnStatus status;
  const std::uint32_t code = api_.GetConnectStatus(entry.hConn, status);
  if (Vanished(code)) {
    const HRasConn gone = entry.hConn;
    entry.size = -1;
    entry.hConn = kVanishedHandle;
    if (wasConnected) DoDisconnected(gone);
    return;
  }
  if (code != kRasSuccess) ThrowEnumerationError(code);
  const bool isConnected = status.state == kRasConnected;
  if (wasConnected && !isConnected) DoDisconnected(entry.hConn);
  if (!wasConnected && isConnected) DoConnected(entry);
}

void RasMonitor::DoConnected(const RasConnEntry& entry) {
  DoConnected(entry.hConn, NameOf(entry.entryName), NameOf(entry.deviceType), NameOf(entry.deviceName));
}

void RasMonitor::DoConnected(HRasConn hConn, const std::string& entryName, const std::string& deviceType,
                             const std::string& deviceName) {
  if (OnConnected) OnConnected(*this, hConn, entryName, deviceType, deviceName);
}

void RasMonitor::DoDisconnected(HRasConn hConn) {
  if (OnDisconnected) OnDisconnected(*this, hConn);
}

void RasMonitor::DoEnable() {
  if (OnEnable) OnEnable(*this);
}

void RasMonitor::DoDisable() {
  if (OnDisable) OnDisable(*this);
}

void HangUpAll(const RasMonitor& monitor, DialUpApi& api) {
  for (int i = 0; i < monitor.ConnectionCount(); ++i) api.HangUp(monitor.ConnectionHandle(i));
}

}  // namespace marvessa
