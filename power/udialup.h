// The platform's dial-up connection calls, behind a narrow interface: enumerate the connections,
// query one connection's state, hang one up. Result codes follow the platform's numbering.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace marvessa {

using HRasConn = std::uint32_t;

// The handle a cached entry gets once its connection has vanished.
constexpr HRasConn kVanishedHandle = 0xFFFFFFFFu;

constexpr std::int32_t kRasConnected = 0x2000;
constexpr std::int32_t kRasDisconnected = 0x2001;
// A state that is neither of the above: the link is being set up.
constexpr std::int32_t kRasConnecting = 0;

constexpr std::uint32_t kRasSuccess = 0;
constexpr std::uint32_t kRasInvalidHandle = 6;
constexpr std::uint32_t kRasNotEnoughMemory = 8;
constexpr std::uint32_t kRasInvalidPortHandle = 601;
constexpr std::uint32_t kRasBufferTooSmall = 603;
constexpr std::uint32_t kRasInvalidSize = 632;

// One connection. Before enumeration `size` must hold the record size; afterwards it holds the
// connection's last known state. The names are zero-terminated.
struct RasConnEntry {
  std::int32_t size = 0;
  HRasConn hConn = 0;
  char entryName[257] = {};
  char deviceType[17] = {};
  char deviceName[129] = {};
};
constexpr std::uint32_t kRasConnEntrySize = sizeof(RasConnEntry);

struct RasConnStatus {
  std::int32_t size = sizeof(RasConnStatus);
  std::int32_t state = 0;
  std::uint32_t error = 0;
};

class DialUpApi {
 public:
  virtual ~DialUpApi() = default;
  // Fills the buffer, whose first record's size field must be kRasConnEntrySize, with up to
  // bufferBytes / kRasConnEntrySize records. Returns 0 with count set; 603 with bufferBytes set
  // to the bytes needed and count to the number of connections; 8, or any other code.
  virtual std::uint32_t EnumConnections(RasConnEntry* buffer, std::uint32_t& bufferBytes,
                                        std::uint32_t& count) = 0;
  // status.size must be sizeof(RasConnStatus). 6 or 601: the handle no longer exists.
  virtual std::uint32_t GetConnectStatus(HRasConn hConn, RasConnStatus& status) = 0;
  virtual std::uint32_t HangUp(HRasConn hConn) = 0;
};

// Copies text into a fixed name field, cut to fit, always zero-terminated.
template <std::size_t N>
void SetName(char (&field)[N], std::string_view text) {
  const std::size_t n = text.size() < N - 1 ? text.size() : N - 1;
  std::memcpy(field, text.data(), n);
  std::memset(field + n, 0, N - n);
}

// The text of a name field up to its terminating zero.
template <std::size_t N>
std::string NameOf(const char (&field)[N]) {
  return std::string(field, strnlen(field, N));
}

}  // namespace marvessa
