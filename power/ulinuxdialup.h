// The machine's dial-up connections on Linux: NetworkManager's active PPP, PPPoE and
// mobile-broadband connections (through nmcli, when it exists) and the ppp* network interfaces
// that NetworkManager does not report. Every link gets a stable handle, a hash of its identity,
// so a handle that no longer matches a link reports 6. With MARVESSA_NO_POWER_ACTIONS set the
// links are still listed, but nothing is hung up.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <string_view>
#include <utility>
#include <vector>

#include "power/udialup.h"

namespace marvessa {

struct PppLink {
  std::string identity;    // "nm:" + connection UUID, or "if:" + interface name
  std::string entryName;   // GBK
  std::string deviceType;  // NetworkManager's connection type, or "ppp" for a bare interface
  std::string deviceName;  // the interface or device
  std::int32_t state = kRasConnecting;
  std::string uuid;        // empty for a bare interface
};

// The fields of one line of nmcli's terse output (":" separates, "\:" and "\\" are escapes).
std::vector<std::string> SplitNmcliTerse(std::string_view line);
bool IsDialUpConnectionType(std::string_view nmType);
std::int32_t StateOfNmcliState(std::string_view state);
// The dial-up links in the output of `nmcli -t -f NAME,UUID,TYPE,DEVICE,STATE connection show --active`.
std::vector<PppLink> ParseNmcliActive(std::string_view output);

bool IsPppInterfaceName(std::string_view name);
// From the text of /sys/class/net/IF/flags: connected while the interface is up.
std::int32_t StateOfInterfaceFlags(std::string_view flagsText);
// The ppp* interfaces, given as (name, flags text), that none of nmLinks names as its device.
std::vector<PppLink> PppInterfaceLinks(const std::vector<std::pair<std::string, std::string>>& interfaces,
                                       const std::vector<PppLink>& nmLinks);

// A stable handle for a link identity; never 0 and never the vanished handle.
HRasConn HandleOfIdentity(std::string_view identity);
// The enumeration call over a given set of links, with the platform's result codes.
std::uint32_t FillConnections(const std::vector<PppLink>& links, RasConnEntry* buffer, std::uint32_t& bufferBytes,
                              std::uint32_t& count);
// The command that ends a link.
std::vector<std::string> HangUpCommand(const PppLink& link);

// The links as nmcli and /sys/class/net show them now.
std::vector<PppLink> ReadCurrentLinks();

// Reads the links on a thread of its own, at once and then every interval, and answers the
// enumeration and state calls from the last reading: the monitor polls on the UI thread, which
// must never wait for nmcli. Until the first reading is done there are no links.
class LinuxDialUp : public DialUpApi {
 public:
  using LinkReader = std::function<std::vector<PppLink>()>;
  explicit LinuxDialUp(LinkReader readLinks = ReadCurrentLinks,
                       std::chrono::milliseconds interval = std::chrono::milliseconds(2000));
  ~LinuxDialUp() override;
  LinuxDialUp(const LinuxDialUp&) = delete;
  LinuxDialUp& operator=(const LinuxDialUp&) = delete;

  std::uint32_t EnumConnections(RasConnEntry* buffer, std::uint32_t& bufferBytes, std::uint32_t& count) override;
  std::uint32_t GetConnectStatus(HRasConn hConn, RasConnStatus& status) override;
  std::uint32_t HangUp(HRasConn hConn) override;

 private:
  std::vector<PppLink> Links() const;
  void ReadLoop();

  LinkReader readLinks_;
  std::chrono::milliseconds interval_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  bool stopping_ = false;
  std::vector<PppLink> links_;
  std::thread reader_;  // started last, once everything it uses exists
};

}  // namespace marvessa
