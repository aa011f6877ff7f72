// The Linux layers are constructed here only over a fake link reader; otherwise only their
// parsing and command building are read.
#include <gtest/gtest.h>

#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>

#include "power/ulinuxdialup.h"
#include "power/ulinuxshutdown.h"
#include "power/uprocess.h"

namespace marvessa {
namespace {

using Argv = std::vector<std::string>;

TEST(NmcliTerse, EscapedSeparatorsAndBackslashesStayInTheirField) {
  EXPECT_EQ(SplitNmcliTerse(R"(My\:Link\\1:u-1:pppoe::activated)"),
            (Argv{"My:Link\\1", "u-1", "pppoe", "", "activated"}));
}

TEST(NmcliTerse, OnlyDialUpTypesBecomeLinksWithTheirStates) {
  const std::string out =
      "Wired:u-0:802-3-ethernet:enp1s0:activated\n"
      "\xe6\x8b\xa8\xe5\x8f\xb7:u-1:pppoe:ppp0:activated\n"
      "Phone:u-2:gsm:cdc-wdm0:activating\n"
      "Old:u-3:cdma:ttyUSB0:deactivating\n"
      "broken:line\n"
      "Home:u-4:802-11-wireless:wlan0:activated\n";
  const std::vector<PppLink> links = ParseNmcliActive(out);
  ASSERT_EQ(links.size(), 3u);
  EXPECT_EQ(links[0].entryName, "拨号");
  EXPECT_EQ(links[0].identity, "nm:u-1");
  EXPECT_EQ(links[0].deviceName, "ppp0");
  EXPECT_EQ(links[0].state, kRasConnected);
  EXPECT_EQ(links[1].state, kRasConnecting);
  EXPECT_EQ(links[2].state, kRasDisconnected);
  EXPECT_EQ(HangUpCommand(links[1]), (Argv{"nmcli", "connection", "down", "uuid", "u-2"}));
}

TEST(PppInterfaces, UpFlagGivesTheStateAndInterfacesOfNetworkManagerAreLeftOut) {
  PppLink nm;
  nm.deviceName = "ppp0";
  const std::vector<PppLink> links =
      PppInterfaceLinks({{"ppp0", "0x1091\n"}, {"ppp1", "0x1091\n"}, {"ppp2", "0x1090\n"}, {"pppx", "0x1"}, {"eth0", "0x1"}},
                        {nm});
  ASSERT_EQ(links.size(), 2u);
  EXPECT_EQ(links[0].identity, "if:ppp1");
  EXPECT_EQ(links[0].state, kRasConnected);
  EXPECT_EQ(links[1].state, kRasDisconnected);
  EXPECT_EQ(HangUpCommand(links[0]), (Argv{"ip", "link", "set", "dev", "ppp1", "down"}));
  EXPECT_FALSE(IsPppInterfaceName("ppp"));
}

TEST(LinuxDialUp, ReadsTheLinksOffTheCallersThreadAndAnswersFromTheLastReading) {
  std::mutex mutex;
  std::condition_variable read;
  int reads = 0;
  std::thread::id reader;
  PppLink link;
  link.identity = "if:ppp0";
  link.state = kRasConnected;
  LinuxDialUp dialUp(
      [&] {
        std::lock_guard lock(mutex);
        ++reads;
        reader = std::this_thread::get_id();
        read.notify_all();
        return std::vector<PppLink>{link};
      },
      std::chrono::milliseconds(1));
  {
    // Two readings: the first one has been stored when the second one starts.
    std::unique_lock lock(mutex);
    ASSERT_TRUE(read.wait_for(lock, std::chrono::seconds(30), [&] { return reads >= 2; }));
    EXPECT_NE(reader, std::this_thread::get_id());
  }
  std::vector<RasConnEntry> buffer(2);
  buffer[0].size = static_cast<std::int32_t>(kRasConnEntrySize);
  std::uint32_t bytes = 2 * kRasConnEntrySize;
  std::uint32_t count = 0;
  ASSERT_EQ(dialUp.EnumConnections(buffer.data(), bytes, count), kRasSuccess);
  ASSERT_EQ(count, 1u);
  RasConnStatus status;
  EXPECT_EQ(dialUp.GetConnectStatus(buffer[0].hConn, status), kRasSuccess);
  EXPECT_EQ(status.state, kRasConnected);
}

TEST(FillConnections, BehavesLikeThePlatformCall) {
  std::vector<PppLink> links(20);
  for (std::size_t i = 0; i < links.size(); ++i) links[i].identity = "if:ppp" + std::to_string(i);
  links[0].entryName = std::string(300, 'n');
  std::vector<RasConnEntry> buffer(20);
  std::uint32_t bytes = 16 * kRasConnEntrySize;
  std::uint32_t count = 0;
  EXPECT_EQ(FillConnections(links, buffer.data(), bytes, count), kRasInvalidSize);
  buffer[0].size = static_cast<std::int32_t>(kRasConnEntrySize);
  EXPECT_EQ(FillConnections(links, buffer.data(), bytes, count), kRasBufferTooSmall);
  EXPECT_EQ(bytes, 20 * kRasConnEntrySize);
  EXPECT_EQ(FillConnections(links, buffer.data(), bytes, count), kRasSuccess);
  EXPECT_EQ(count, 20u);
  EXPECT_EQ(NameOf(buffer[0].entryName), std::string(256, 'n'));
  EXPECT_EQ(buffer[19].hConn, HandleOfIdentity("if:ppp19"));
  EXPECT_NE(buffer[0].hConn, buffer[1].hConn);
}

TEST(ShutdownCommands, OptionsChooseTheSystemdVerb) {
  EXPECT_EQ(SystemShutdownCommand(false, false, ""), (Argv{"systemctl", "poweroff"}));
  EXPECT_EQ(SystemShutdownCommand(true, true, "bye"), (Argv{"systemctl", "reboot", "-i", "--message=bye"}));
  const std::vector<std::pair<unsigned, Argv>> cases = {
      {kExitPoweroff, {"systemctl", "poweroff"}},
      {kExitShutdown, {"systemctl", "poweroff"}},
      {kExitPoweroff | kExitForce, {"systemctl", "poweroff", "-i"}},
      {kExitPoweroff | kExitReboot, {"systemctl", "reboot"}},
      {kExitLogoff, {"loginctl", "terminate-session", "c7"}},
      {kExitForce, {"loginctl", "terminate-session", "c7"}},
  };
  for (const auto& [flags, argv] : cases) EXPECT_EQ(ExitWindowsCommand(flags, "c7"), argv) << flags;
  EXPECT_FALSE(ExitWindowsCommand(kExitLogoff, nullptr));
  EXPECT_FALSE(ExitWindowsCommand(kExitLogoff, ""));
}

TEST(PowerGuard, RefusesWhileTheVariableIsSet) {
  ASSERT_EQ(setenv("MARVESSA_NO_POWER_ACTIONS", "1", 1), 0);
  EXPECT_TRUE(PowerActionRefused("test"));
}

TEST(RunProgram, PassesArgumentsUntouchedAndReportsTheExitStatus) {
  std::string out;
  EXPECT_EQ(RunProgram({"echo", "a  b;$HOME"}, &out), 0);
  EXPECT_EQ(out, "a  b;$HOME\n");
  EXPECT_EQ(RunProgram({"false"}), 1);
  EXPECT_EQ(RunProgram({"marvessa-no-such-program"}, &out), -1);
  EXPECT_EQ(RunProgram({}), -1);
}

}  // namespace
}  // namespace marvessa
