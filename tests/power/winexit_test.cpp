#include <gtest/gtest.h>

#include <climits>

#include "power/uwinexit.h"
#include "tests/support/fake_messages.h"
#include "tests/support/fake_shutdown.h"
#include "tests/support/fake_timers.h"

namespace marvessa {
namespace {

using test::FakeMessageBoxes;
using test::FakeShutdown;
using test::FakeTimerFactory;
using enum TShutdownOption;

class WinExitTest : public ::testing::Test {
 protected:
  WinExitTest() { winExit.MessageString = "关机"; }
  FakeShutdown api;
  FakeTimerFactory timers;
  FakeMessageBoxes messages;
  TWinExit winExit{api, timers, messages};
};

TEST_F(WinExitTest, OptionsMapToTheExitFlagsOutsideTheNtFamily) {
  api.platformId = 1;
  winExit.TimeOut = 0;
  const std::vector<std::pair<TShutdownOptions, unsigned>> cases = {
      {{}, 0},
      {{shoLogoff}, 0},
      {{shoPoweroff}, 8},
      {{shoShutdown}, 1},
      {{shoForce, shoReboot}, 6},
      {{shoForce, shoLogoff}, 4},
      {{shoForce, shoLogoff, shoPoweroff, shoReboot, shoShutdown}, 15},
  };
  for (const auto& [options, flags] : cases) {
    winExit.Options = options;
    EXPECT_TRUE(winExit.Execute());
    ASSERT_FALSE(api.exitFlags.empty());
    EXPECT_EQ(api.exitFlags.back(), flags);
  }
  EXPECT_TRUE(api.steps.empty());
  EXPECT_TRUE(api.systemShutdowns.empty());
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_TRUE(timers.created.empty());
}

TEST_F(WinExitTest, NtPathAsksForThePrivilegeAndPassesOnlyForceAndReboot) {
  winExit.TimeOut = 0;
  winExit.NTMachineName = "HOST";
  const std::vector<std::tuple<TShutdownOptions, bool, bool>> cases = {
      {{shoPoweroff}, false, false},
      {{shoLogoff, shoShutdown}, false, false},
      {{shoForce}, true, false},
      {{shoReboot, shoPoweroff}, false, true},
  };
  for (const auto& [options, force, reboot] : cases) {
    winExit.Options = options;
    EXPECT_TRUE(winExit.Execute());
    ASSERT_FALSE(api.systemShutdowns.empty());
    const auto& call = api.systemShutdowns.back();
    EXPECT_EQ(call.machineName, "HOST");
    EXPECT_EQ(call.message, "关机");
    EXPECT_EQ(call.timeoutSeconds, 0u);
    EXPECT_EQ(call.forceAppsClosed, force);
    EXPECT_EQ(call.rebootAfter, reboot);
  }
  EXPECT_TRUE(api.exitFlags.empty());
  EXPECT_EQ(std::vector<std::string>(api.steps.begin(), api.steps.begin() + 4),
            (std::vector<std::string>{"open 40", "lookup [] SeShutdownPrivilege", "adjust 77 19 2", "close 77"}));
}

TEST_F(WinExitTest, FailedPrivilegeStepReturnsFalseButStillShutsDown) {
  winExit.TimeOut = 0;
  api.lookupSucceeds = false;
  EXPECT_FALSE(winExit.Execute());
  EXPECT_EQ(api.steps, (std::vector<std::string>{"open 40", "lookup [] SeShutdownPrivilege", "close 77"}));
  api = FakeShutdown();
  api.adjustSucceeds = false;
  EXPECT_FALSE(winExit.Execute());
  api = FakeShutdown();
  api.openSucceeds = false;
  EXPECT_FALSE(winExit.Execute());
  EXPECT_EQ(api.steps, std::vector<std::string>{"open 40"});
  EXPECT_EQ(api.systemShutdowns.size(), 1u);
}

TEST_F(WinExitTest, ConfirmingTheWarningCancelsTheCountdown) {
  winExit.TimeOut = 60;
  messages.whileOpen = [this](const MessageSpec&) {
    ASSERT_EQ(timers.created.size(), 1u);
    EXPECT_TRUE(timers.created[0]->Enabled());
    EXPECT_EQ(timers.created[0]->Interval(), 60000);
  };
  EXPECT_TRUE(winExit.Execute());
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "关机");
  EXPECT_EQ(messages.shown[0].caption, "警告");
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::Warning);
  EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
  EXPECT_FALSE(timers.created[0]->Enabled());
  timers.created[0]->Fire();
  EXPECT_EQ(api.ShutdownCount(), 0u);
}

TEST_F(WinExitTest, UnansweredWarningLetsTheCountdownShutDown) {
  messages.whileOpen = [this](const MessageSpec&) { timers.created[0]->Fire(); };
  winExit.Execute();
  EXPECT_EQ(api.systemShutdowns.size(), 1u);
}

TEST_F(WinExitTest, WithoutAbortTheWarningHasNoButtonsAndTheShutdownRepeats) {
  winExit.AllowAbort = false;
  winExit.TimeOut = 5;
  winExit.Execute();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].buttons, MessageButtons::None);
  ASSERT_TRUE(timers.created[0]->Enabled());
  for (int i = 0; i < 3; ++i) timers.created[0]->Fire();
  EXPECT_EQ(api.systemShutdowns.size(), 3u);
  EXPECT_TRUE(timers.created[0]->Enabled());
}

TEST_F(WinExitTest, SecondExecuteReusesTheTimerWithTheNewCountdown) {
  winExit.Execute();
  winExit.TimeOut = 3000000;
  messages.whileOpen = [this](const MessageSpec&) { EXPECT_TRUE(timers.created[0]->Enabled()); };
  winExit.Execute();
  EXPECT_EQ(timers.created.size(), 1u);
  EXPECT_EQ(timers.created[0]->Interval(), INT_MAX);
}

TEST_F(WinExitTest, LongMessageAndMachineNameAreCutOnCharacterBoundaries) {
  winExit.TimeOut = 0;
  winExit.MessageString = std::string(127, 'm') + "中文";
  winExit.NTMachineName = std::string(140, 'h');
  winExit.Execute();
  EXPECT_EQ(api.systemShutdowns[0].message, std::string(127, 'm'));
  EXPECT_EQ(api.systemShutdowns[0].machineName, std::string(130, 'h'));
  EXPECT_EQ(CutGbk("中文", 4), "中文");
  EXPECT_EQ(CutGbk("a中文", 4), "a中");
}

}  // namespace
}  // namespace marvessa
