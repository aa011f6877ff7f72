// A monitor of the machine's dial-up connections: it keeps a list of them, renews it on a poll
// timer and reports connections that come up or go down.
#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/utimer.h"
#include "power/udialup.h"

namespace marvessa {

class ERASNotifyError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Memory exhaustion reported by the platform; the text is "Not enough memory to complete operation".
class EOutOfMemory : public std::runtime_error {
 public:
  EOutOfMemory();
};

using RasConnList = std::vector<RasConnEntry>;

class RasMonitor {
 public:
  using TRASConnectedEvent =
      std::function<void(RasMonitor& sender, HRasConn hConn, const std::string& entryName,
                         const std::string& deviceType, const std::string& deviceName)>;
  using TRASDisconnectedEvent = std::function<void(RasMonitor& sender, HRasConn hConn)>;
  using TNotifyEvent = std::function<void(RasMonitor& sender)>;

  static constexpr int kMinPollInterval = 200;
  static constexpr int kMaxPollInterval = 60000;

  RasMonitor(DialUpApi& api, TimerFactory& timers);
  virtual ~RasMonitor();
  RasMonitor(const RasMonitor&) = delete;
  RasMonitor& operator=(const RasMonitor&) = delete;

  // Once the owner has set the properties: the first enumeration (if enabled), then the timer.
  void Loaded();

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  int PollInterval() const { return pollInterval_; }
  // Values outside 200..60000 are ignored.
  void SetPollInterval(int value);

  int ConnectionCount() const { return static_cast<int>(list_.size()); }
  // Throws ERASNotifyError "Invalid index" unless 0 <= index < ConnectionCount().
  HRasConn ConnectionHandle(int index) const;

  // The current connections, each with its state in the size field.
  RasConnList EnumerateConnections();
  // The timer's tick: reports the changes since the last poll and renews the list.
  void Poll();

  TRASConnectedEvent OnConnected;
  TRASDisconnectedEvent OnDisconnected;
  TNotifyEvent OnEnable;
  TNotifyEvent OnDisable;

 protected:
  virtual void DoConnected(HRasConn hConn, const std::string& entryName, const std::string& deviceType,
                           const std::string& deviceName);
  virtual void DoDisconnected(HRasConn hConn);
  virtual void DoEnable();
  virtual void DoDisable();

 private:
  std::int32_t QueryState(HRasConn hConn);
  void DoConnected(const RasConnEntry& entry);
  void PollCachedEntry(RasConnEntry& entry);

  DialUpApi& api_;
  TimerFactory& timers_;
  std::unique_ptr<Timer> timer_;
  RasConnList list_;
  bool enabled_ = true;
  int pollInterval_ = 2000;
};

// Hangs up every connection of the monitor's list as cached at its last poll; results are not checked.
void HangUpAll(const RasMonitor& monitor, DialUpApi& api);

}  // namespace marvessa
