#include "power/ulinuxdialup.h"

#include <algorithm>
#include <filesystem>

#include "base/ufileio.h"
#include "base/utext.h"
#include "power/uprocess.h"

namespace marvessa {
namespace {

// Returned by HangUp when the power guard refuses it.
constexpr std::uint32_t kAccessDenied = 5;

const PppLink* FindLink(const std::vector<PppLink>& links, HRasConn hConn) {
  const auto it = std::find_if(links.begin(), links.end(),
                               [&](const PppLink& link) { return HandleOfIdentity(link.identity) == hConn; });
  return it == links.end() ? nullptr : &*it;
}

std::vector<std::pair<std::string, std::string>> ReadNetInterfaces() {
  std::vector<std::pair<std::string, std::string>> interfaces;
  std::error_code ec;
  for (const auto& dir : std::filesystem::directory_iterator("/sys/class/net", ec)) {
    const std::string name = dir.path().filename().string();
    if (!IsPppInterfaceName(name)) continue;
    interfaces.emplace_back(name, ReadFileBytes(dir.path().string() + "/flags").value_or(""));
  }
  return interfaces;
}

}  // namespace

std::vector<std::string> SplitNmcliTerse(std::string_view line) {
  std::vector<std::string> fields(1);
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '\\' && i + 1 < line.size()) {
      fields.back() += line[++i];
    } else if (c == ':') {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

bool IsDialUpConnectionType(std::string_view nmType) {
  return nmType == "ppp" || nmType == "pppoe" || nmType == "gsm" || nmType == "cdma";
}

std::int32_t StateOfNmcliState(std::string_view state) {
  if (state == "activated") return kRasConnected;
  if (state == "activating") return kRasConnecting;
  return kRasDisconnected;
}

std::vector<PppLink> ParseNmcliActive(std::string_view output) {
  std::vector<PppLink> links;
  for (const std::string& line : SplitLines(output)) {
    const std::vector<std::string> f = SplitNmcliTerse(line);
    if (f.size() != 5 || !IsDialUpConnectionType(f[2])) continue;
    PppLink link;
    link.identity = "nm:" + f[1];
    link.entryName = Utf8ToGbk(f[0]);
    link.deviceType = f[2];
    link.deviceName = f[3];
    link.state = StateOfNmcliState(f[4]);
    link.uuid = f[1];
    links.push_back(std::move(link));
  }
  return links;
}

bool IsPppInterfaceName(std::string_view name) {
  return name.size() > 3 && StartsWith(name, "ppp") &&
         std::all_of(name.begin() + 3, name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::int32_t StateOfInterfaceFlags(std::string_view flagsText) {
  constexpr int kInterfaceUp = 0x1;
  const std::optional<int> flags = ParseInt(Trim(flagsText));
  return flags && (*flags & kInterfaceUp) ? kRasConnected : kRasDisconnected;
}

std::vector<PppLink> PppInterfaceLinks(const std::vector<std::pair<std::string, std::string>>& interfaces,
                                       const std::vector<PppLink>& nmLinks) {
  std::vector<PppLink> links;
  for (const auto& [name, flags] : interfaces) {
    if (!IsPppInterfaceName(name)) continue;
    const std::string& device = name;
    const bool reported = std::any_of(nmLinks.begin(), nmLinks.end(),
                                      [&device](const PppLink& nm) { return nm.deviceName == device; });
    if (reported) continue;
    PppLink link;
    link.identity = "if:" + name;
    link.entryName = name;
    link.deviceType = "ppp";
    link.deviceName = name;
    link.state = StateOfInterfaceFlags(flags);
    links.push_back(std::move(link));
  }
  return links;
}

HRasConn HandleOfIdentity(std::string_view identity) {
  std::uint32_t hash = 2166136261u;  // 32-bit FNV-1a
  for (const char c : identity) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 16777619u;
  }
  if (hash == 0) return 1;
  if (hash == kVanishedHandle) return kVanishedHandle - 1;
  return hash;
}

std::uint32_t FillConnections(const std::vector<PppLink>& links, RasConnEntry* buffer, std::uint32_t& bufferBytes,
                              std::uint32_t& count) {
  if (!buffer || bufferBytes < kRasConnEntrySize || buffer[0].size != static_cast<std::int32_t>(kRasConnEntrySize))
    return kRasInvalidSize;
  const auto needed = static_cast<std::uint32_t>(links.size() * kRasConnEntrySize);
  count = static_cast<std::uint32_t>(links.size());
  if (needed > bufferBytes) {
    bufferBytes = needed;
    return kRasBufferTooSmall;
  }
  for (std::size_t i = 0; i < links.size(); ++i) {
    RasConnEntry& entry = buffer[i];
    entry.size = static_cast<std::int32_t>(kRasConnEntrySize);
    entry.hConn = HandleOfIdentity(links[i].identity);
    SetName(entry.entryName, links[i].entryName);
    SetName(entry.deviceType, links[i].deviceType);
    SetName(entry.deviceName, links[i].deviceName);
  }
  return kRasSuccess;
}

std::vector<std::string> HangUpCommand(const PppLink& link) {
  if (!link.uuid.empty()) return {"nmcli", "connection", "down", "uuid", link.uuid};
  return {"ip", "link", "set", "dev", link.deviceName, "down"};
}

std::vector<PppLink> ReadCurrentLinks() {
  std::string output;
  std::vector<PppLink> links;
  if (RunProgram({"nmcli", "-t", "-f", "NAME,UUID,TYPE,DEVICE,STATE", "connection", "show", "--active"}, &output) == 0)
    links = ParseNmcliActive(output);
  std::vector<PppLink> bare = PppInterfaceLinks(ReadNetInterfaces(), links);
  links.insert(links.end(), std::make_move_iterator(bare.begin()), std::make_move_iterator(bare.end()));
  return links;
}

LinuxDialUp::LinuxDialUp(LinkReader readLinks, std::chrono::milliseconds interval)
    : readLinks_(std::move(readLinks)), interval_(interval), reader_([this] { ReadLoop(); }) {}

LinuxDialUp::~LinuxDialUp() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  reader_.join();
}

void LinuxDialUp::ReadLoop() {
  std::unique_lock lock(mutex_);
  while (!stopping_) {
    lock.unlock();
    std::vector<PppLink> links;
    bool read = false;
    try {
      links = readLinks_();
      read = true;
    } catch (...) {
      // Like a failed poll tick: the last reading stands until the next one.
    }
    lock.lock();
    if (read) links_ = std::move(links);
    wake_.wait_for(lock, interval_, [this] { return stopping_; });
  }
}

std::vector<PppLink> LinuxDialUp::Links() const {
  std::lock_guard lock(mutex_);
  return links_;
}

std::uint32_t LinuxDialUp::EnumConnections(RasConnEntry* buffer, std::uint32_t& bufferBytes, std::uint32_t& count) {
  return FillConnections(Links(), buffer, bufferBytes, count);
}

std::uint32_t LinuxDialUp::GetConnectStatus(HRasConn hConn, RasConnStatus& status) {
  if (status.size != static_cast<std::int32_t>(sizeof(RasConnStatus))) return kRasInvalidSize;
  const std::vector<PppLink> links = Links();
  const PppLink* link = FindLink(links, hConn);
  if (!link) return kRasInvalidHandle;
  status.state = link->state;
  status.error = 0;
  return kRasSuccess;
}

std::uint32_t LinuxDialUp::HangUp(HRasConn hConn) {
  if (PowerActionRefused("hang up a dial-up connection")) return kAccessDenied;
  const std::vector<PppLink> links = Links();
  const PppLink* link = FindLink(links, hConn);
  if (!link) return kRasInvalidHandle;
  return static_cast<std::uint32_t>(RunProgram(HangUpCommand(*link)));
}

}  // namespace marvessa
