#include <gtest/gtest.h>

#include "power/upoweractions.h"
#include "tests/support/fake_dialup.h"
#include "tests/support/fake_messages.h"
#include "tests/support/fake_shutdown.h"
#include "tests/support/fake_timers.h"

namespace marvessa {
namespace {

using test::FakeDialUp;
using test::FakeMessageBoxes;
using test::FakeShutdown;
using test::FakeTimerFactory;

class PowerActionsTest : public ::testing::Test {
 protected:
  PowerActionsTest() {
    dialUp.Add(3, "a");
    dialUp.Add(4, "b");
    // The box records what happened before it; answering it calls the shutdown off.
    messages.whileOpen = [this](const MessageSpec&) { hangUpsBeforeBox = dialUp.hangUps.size(); };
  }
  PowerActions& Make() {
    actions = std::make_unique<PowerActions>(dialUp, shutdown, timers, messages, [this] { modified = false; });
    return *actions;
  }

  FakeDialUp dialUp;
  FakeShutdown shutdown;
  FakeTimerFactory timers;
  FakeMessageBoxes messages;
  bool modified = true;
  std::size_t hangUpsBeforeBox = 0;
  std::unique_ptr<PowerActions> actions;
};

TEST_F(PowerActionsTest, InstancesAreConfiguredAsTheMainWindowUsesThem) {
  PowerActions& p = Make();
  EXPECT_FALSE(p.NVdisconnect);
  EXPECT_FALSE(p.NVwinExit);
  EXPECT_TRUE(p.Monitor().Enabled());
  EXPECT_EQ(p.Monitor().ConnectionCount(), 2);
  EXPECT_EQ(timers.created.at(0)->Interval(), 2000);
  EXPECT_TRUE(timers.created.at(0)->Enabled());
  EXPECT_EQ(p.MWinExit().Options, TShutdownOptions{TShutdownOption::shoPoweroff});
  EXPECT_EQ(p.MWinExit().TimeOut, 60);
  EXPECT_TRUE(p.MWinExit().AllowAbort);
  EXPECT_EQ(p.MWinExit().MessageString, "系统将在1分钟内关机,按[确定]即可终止!");
}

TEST_F(PowerActionsTest, UncheckedItemsDoNothing) {
  Make().RunEndOfRunActions();
  EXPECT_TRUE(dialUp.hangUps.empty());
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(shutdown.ShutdownCount(), 0u);
  EXPECT_TRUE(shutdown.steps.empty());
  EXPECT_TRUE(modified);
}

TEST_F(PowerActionsTest, DisconnectAloneHangsUpEveryCachedConnection) {
  PowerActions& p = Make();
  p.NVdisconnect = true;
  p.RunEndOfRunActions();
  EXPECT_EQ(dialUp.hangUps, (std::vector<HRasConn>{3, 4}));
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_TRUE(modified);
}

TEST_F(PowerActionsTest, BothItemsHangUpFirstThenStartTheCountdown) {
  PowerActions& p = Make();
  p.NVdisconnect = true;
  p.NVwinExit = true;
  p.RunEndOfRunActions();
  EXPECT_EQ(hangUpsBeforeBox, 2u);
  EXPECT_FALSE(modified);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(timers.created.size(), 2u);
  EXPECT_EQ(timers.created[1]->Interval(), 60000);
  EXPECT_EQ(shutdown.ShutdownCount(), 0u);
}

TEST_F(PowerActionsTest, ShutdownAloneClearsTheModifiedFlagAndPowersOffWhenNobodyAnswers) {
  PowerActions& p = Make();
  p.NVwinExit = true;
  messages.whileOpen = [this](const MessageSpec&) { timers.created.at(1)->Fire(); };
  p.RunEndOfRunActions();
  EXPECT_TRUE(dialUp.hangUps.empty());
  EXPECT_FALSE(modified);
  ASSERT_EQ(shutdown.systemShutdowns.size(), 1u);
  EXPECT_FALSE(shutdown.systemShutdowns[0].forceAppsClosed);
  EXPECT_FALSE(shutdown.systemShutdowns[0].rebootAfter);
}

}  // namespace
}  // namespace marvessa
