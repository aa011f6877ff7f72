#include <gtest/gtest.h>

#include "power/urasmonitor.h"
#include "tests/support/fake_dialup.h"
#include "tests/support/fake_timers.h"

namespace marvessa {
namespace {

using test::FakeConnection;
using test::FakeDialUp;
using test::FakeTimer;
using test::FakeTimerFactory;

constexpr const char* kEnumError = "Could not enumerate connections.\r\nError Code ";

class RasMonitorTest : public ::testing::Test {
 protected:
  RasMonitorTest() {
    monitor.OnConnected = [this](RasMonitor& sender, HRasConn h, const std::string& name, const std::string& type,
                                 const std::string& device) {
      EXPECT_EQ(&sender, &monitor);
      events.push_back("up " + std::to_string(h) + " " + name + " " + type + " " + device);
    };
    monitor.OnDisconnected = [this](RasMonitor&, HRasConn h) { events.push_back("down " + std::to_string(h)); };
    monitor.OnEnable = [this](RasMonitor&) { events.push_back("enable"); };
    monitor.OnDisable = [this](RasMonitor&) { events.push_back("disable"); };
  }
  FakeTimer& timer() { return *timers.created.at(0); }
  std::vector<HRasConn> Handles() {
    std::vector<HRasConn> handles;
    for (int i = 0; i < monitor.ConnectionCount(); ++i) handles.push_back(monitor.ConnectionHandle(i));
    return handles;
  }
  std::string ErrorOf(const std::function<void()>& f) {
    try {
      f();
    } catch (const ERASNotifyError& e) {
      return std::string("ras: ") + e.what();
    } catch (const EOutOfMemory& e) {
      return std::string("oom: ") + e.what();
    }
    return "none";
  }

  FakeDialUp api;
  FakeTimerFactory timers;
  RasMonitor monitor{api, timers};
  std::vector<std::string> events;
};

TEST_F(RasMonitorTest, LoadedWithoutConnectionsPollsEveryTwoSecondsAndHangsUpNothing) {
  monitor.Loaded();
  EXPECT_EQ(monitor.ConnectionCount(), 0);
  ASSERT_EQ(timers.created.size(), 1u);
  EXPECT_EQ(timer().Interval(), 2000);
  EXPECT_TRUE(timer().Enabled());
  ASSERT_EQ(api.enumCalls.size(), 1u);
  EXPECT_EQ(api.enumCalls[0].bufferBytes, 16 * kRasConnEntrySize);
  EXPECT_EQ(api.enumCalls[0].firstSize, static_cast<std::int32_t>(kRasConnEntrySize));
  HangUpAll(monitor, api);
  EXPECT_TRUE(api.hangUps.empty());
  timer().Fire();
  EXPECT_TRUE(events.empty());
}

TEST_F(RasMonitorTest, LoadedWhileDisabledNeitherEnumeratesNorPolls) {
  monitor.SetEnabled(false);
  api.Add(1, "a");
  monitor.Loaded();
  EXPECT_TRUE(api.enumCalls.empty());
  EXPECT_FALSE(timer().Enabled());
  EXPECT_EQ(monitor.ConnectionCount(), 0);
}

TEST_F(RasMonitorTest, MoreThanSixteenConnectionsAreFetchedAgainWithTheReportedSize) {
  for (HRasConn h = 1; h <= 20; ++h) api.Add(h * 10, "c" + std::to_string(h), h == 3 ? kRasConnecting : kRasConnected);
  api.reportedBytes = 25 * kRasConnEntrySize;
  monitor.Loaded();
  ASSERT_EQ(api.enumCalls.size(), 2u);
  EXPECT_EQ(api.enumCalls[1].bufferBytes, 25 * kRasConnEntrySize);
  EXPECT_EQ(api.enumCalls[1].firstSize, static_cast<std::int32_t>(kRasConnEntrySize));
  ASSERT_EQ(monitor.ConnectionCount(), 20);
  EXPECT_EQ(monitor.ConnectionHandle(0), 10u);
  EXPECT_EQ(monitor.ConnectionHandle(19), 200u);
  EXPECT_EQ(api.statusCalls.size(), 20u);
  // Each entry's state came from the status query: the connecting one raises a connect later.
  api.Find(30)->state = kRasConnected;
  timer().Fire();
  EXPECT_EQ(events, std::vector<std::string>{"up 30 c3 modem ttyS0"});
}

TEST_F(RasMonitorTest, EnumerationFailuresRaiseTheirErrorsAndLeaveNoList) {
  struct Case {
    std::vector<std::uint32_t> results;
    std::string error;
  };
  const std::vector<Case> cases = {
      {{8}, "oom: Not enough memory to complete operation"},
      {{603, 8}, "oom: Not enough memory to complete operation"},
      {{603, 603}, "oom: Not enough memory to complete operation"},
      {{603, 632}, std::string("ras: ") + kEnumError + "632"},
      {{87}, std::string("ras: ") + kEnumError + "87"},
  };
  for (const Case& c : cases) {
    api.enumResults.assign(c.results.begin(), c.results.end());
    api.enumCalls.clear();
    EXPECT_EQ(ErrorOf([&] { monitor.EnumerateConnections(); }), c.error) << c.results[0];
    EXPECT_EQ(api.enumCalls.size(), c.results.size()) << c.results[0];
  }
  api.enumResults = {8};
  EXPECT_THROW(monitor.Loaded(), EOutOfMemory);
  EXPECT_TRUE(timers.created.empty());
}

TEST_F(RasMonitorTest, FailedStatusQueryDuringEnumerationRaisesItsCode) {
  api.Add(5, "a");
  api.statusResults[5] = 6;
  EXPECT_EQ(ErrorOf([&] { monitor.EnumerateConnections(); }), std::string("ras: ") + kEnumError + "6");
}

TEST_F(RasMonitorTest, CountBeyondTheBufferIsCutToTheRecordsHandedOver) {
  for (HRasConn h = 1; h <= 16; ++h) api.Add(h, "c");
  api.reportedCount = 40;
  EXPECT_EQ(monitor.EnumerateConnections().size(), 16u);
}

TEST_F(RasMonitorTest, ConnectionThatComesUpBetweenPollsRaisesOneConnect) {
  monitor.Loaded();
  FakeConnection& c = api.Add(7, "Dial", kRasConnected);
  c.deviceType = "isdn";
  c.deviceName = "Card 1";
  timer().Fire();
  timer().Fire();
  EXPECT_EQ(events, std::vector<std::string>{"up 7 Dial isdn Card 1"});
  EXPECT_EQ(Handles(), std::vector<HRasConn>{7});
}

TEST_F(RasMonitorTest, CachedConnectionReachingTheConnectedStateRaisesOneConnect) {
  api.Add(7, "Dial", kRasConnecting);
  api.Add(8, "Idle", kRasConnecting);
  monitor.Loaded();
  timer().Fire();
  api.Find(7)->state = kRasConnected;
  timer().Fire();
  timer().Fire();
  EXPECT_EQ(events, std::vector<std::string>{"up 7 Dial modem ttyS0"});
}

TEST_F(RasMonitorTest, ConnectionThatGoesDownRaisesOneDisconnect) {
  api.Add(7, "Dial");
  monitor.Loaded();
  api.Find(7)->state = kRasDisconnected;
  timer().Fire();
  timer().Fire();
  EXPECT_EQ(events, std::vector<std::string>{"down 7"});
}

TEST_F(RasMonitorTest, VanishedConnectionsReportTheirOwnHandleAndLeaveTheList) {
  api.Add(7, "up");
  api.Add(8, "up too");
  api.Add(9, "never connected", kRasConnecting);
  monitor.Loaded();
  api.Remove(7);
  api.statusResults[8] = 601;
  api.Remove(8);
  api.Remove(9);
  timer().Fire();
  EXPECT_EQ(events, (std::vector<std::string>{"down 7", "down 8"}));
  EXPECT_EQ(monitor.ConnectionCount(), 0);
}

TEST_F(RasMonitorTest, FailingPollKeepsTheListAndTheNextPollWorks) {
  api.Add(7, "a");
  monitor.Loaded();
  api.statusResults[7] = 5;
  api.Add(8, "b");
  EXPECT_EQ(ErrorOf([&] { timer().Fire(); }), std::string("ras: ") + kEnumError + "5");
  EXPECT_EQ(Handles(), std::vector<HRasConn>{7});
  api.statusResults.clear();
  timer().Fire();
  EXPECT_EQ(Handles(), (std::vector<HRasConn>{7, 8}));
  EXPECT_EQ(events, std::vector<std::string>{"up 8 b modem ttyS0"});
}

TEST_F(RasMonitorTest, ListIsReplacedAlsoWhenAConnectHandlerThrows) {
  monitor.Loaded();
  monitor.OnConnected = [](RasMonitor&, HRasConn, const std::string&, const std::string&, const std::string&) {
    throw std::runtime_error("handler");
  };
  api.Add(7, "a");
  EXPECT_THROW(timer().Fire(), std::runtime_error);
  EXPECT_EQ(Handles(), std::vector<HRasConn>{7});
  EXPECT_NO_THROW(timer().Fire());
}

TEST_F(RasMonitorTest, PollIntervalOutsideItsBoundsIsIgnored) {
  monitor.Loaded();
  for (const int bad : {199, 60001, 0, -5}) {
    monitor.SetPollInterval(bad);
    EXPECT_EQ(monitor.PollInterval(), 2000) << bad;
  }
  EXPECT_EQ(timer().Interval(), 2000);
  monitor.SetPollInterval(200);
  EXPECT_EQ(timer().Interval(), 200);
  monitor.SetPollInterval(60000);
  EXPECT_EQ(monitor.PollInterval(), 60000);
  EXPECT_EQ(timer().Interval(), 60000);
}

TEST_F(RasMonitorTest, BadIndexesRaiseInvalidIndex) {
  api.Add(7, "a");
  monitor.Loaded();
  EXPECT_EQ(ErrorOf([&] { monitor.ConnectionHandle(-1); }), "ras: Invalid index");
  EXPECT_EQ(ErrorOf([&] { monitor.ConnectionHandle(1); }), "ras: Invalid index");
  EXPECT_EQ(monitor.ConnectionHandle(0), 7u);
}

TEST_F(RasMonitorTest, DisablingForgetsTheListAndEnablingEnumeratesAgain) {
  api.Add(7, "a");
  monitor.Loaded();
  monitor.SetEnabled(false);
  EXPECT_EQ(monitor.ConnectionCount(), 0);
  EXPECT_FALSE(timer().Enabled());
  api.Add(8, "b");
  monitor.SetEnabled(false);
  monitor.SetEnabled(true);
  EXPECT_TRUE(timer().Enabled());
  EXPECT_EQ(Handles(), (std::vector<HRasConn>{7, 8}));
  EXPECT_EQ(events, (std::vector<std::string>{"disable", "enable"}));
}

TEST_F(RasMonitorTest, FailedEnumerationOnEnablingLeavesTheMonitorOff) {
  monitor.Loaded();
  monitor.SetEnabled(false);
  api.enumResults = {87};
  EXPECT_THROW(monitor.SetEnabled(true), ERASNotifyError);
  EXPECT_FALSE(monitor.Enabled());
  EXPECT_FALSE(timer().Enabled());
}

TEST_F(RasMonitorTest, HangUpAllActsOnTheListOfTheLastPoll) {
  api.Add(7, "a");
  api.Add(9, "b");
  monitor.Loaded();
  api.Add(11, "new since the poll");
  HangUpAll(monitor, api);
  EXPECT_EQ(api.hangUps, (std::vector<HRasConn>{7, 9}));
}

}  // namespace
}  // namespace marvessa
