#include <gtest/gtest.h>
#include <httplib.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "engines/ucatalog.h"
#include "engines/uupdate.h"
#include "tests/support/sandbox.h"
#include "sandbox/testweb.h"

namespace marvessa {
namespace {

using namespace std::chrono_literals;

struct FakeUpdateDialog : UpdateDialogView {
  void SetUpdateMessage(const std::string& text) override { message = text; }
  void SetUpdateButtonCaption(const std::string& caption) override { button = caption; }
  void ShowUpdateDialog() override { visible = true; }
  void HideUpdateDialog() override { visible = false; }
  std::string message;
  std::string button;
  bool visible = false;
};

struct FakeNewsLine : NewsLineView {
  void SetNewsCaption(const std::string& c) override { caption = c; }
  void SetNewsLink(const std::string& l) override { link = l; }
  std::string caption = "welcome";
  std::string link = "home";
};

// The update server on loopback: each path answers with a status and a body, optionally late.
class UpdateServer {
 public:
  UpdateServer()
      : server_(sandbox::LoopbackHost(1), [this](httplib::Server& s) {
          s.Get(R"(/update/(.*))", [this](const httplib::Request& req, httplib::Response& res) {
            ++requests;
            for (int waited = 0; waited < delayMs && !stopping; waited += 10) std::this_thread::sleep_for(10ms);
            const std::string name = req.matches[1];
            std::lock_guard lock(mutex);
            if (name == "trovik5.dat" && engineRedirect) {
              res.set_redirect("/moved/trovik5.dat");
              return;
            }
            res.set_content(name == "trovik5.dat" ? engineBody : name == "msg.dat" ? newsBody : rulesBody,
                            "application/octet-stream");
          });
        }) {
    previous_ = std::getenv("MARVESSA_UPDATE_SERVER") ? std::getenv("MARVESSA_UPDATE_SERVER") : "";
    ::setenv("MARVESSA_UPDATE_SERVER", server_.Origin().c_str(), 1);
  }
  ~UpdateServer() {
    stopping = true;
    ::setenv("MARVESSA_UPDATE_SERVER", previous_.c_str(), 1);
  }

  std::mutex mutex;
  std::string engineBody;
  std::string newsBody;
  std::string rulesBody;
  bool engineRedirect = false;
  std::atomic<int> delayMs{0};
  std::atomic<int> requests{0};
  std::atomic<bool> stopping{false};

 private:
  sandbox::LoopbackHttpServer server_;
  std::string previous_;
};

class UpdateTest : public test::SandboxTest {
 protected:
  UpdateTest() {
    server.engineBody = EngineFileText(BuiltinCatalog());
    server.newsBody = "[msg]\r\n[body]\r\nnews<1>http://127.0.0.1/n<2>\r\n[/body]\r\n";
    server.rulesBody = "[address rules]\r\n[placeholder domains]\r\nshop.de\r\n[/body]\r\n";
  }
  void WaitUntilIdle() {
    for (int i = 0; i < 1000 && service.running(); ++i) ui.WaitForEvents(10);
    ASSERT_FALSE(service.running());
  }
  std::string EngineFile() { return sandbox.Exists("Trovik.dat") ? sandbox.Read("Trovik.dat") : ""; }
  std::string NewsFile() { return sandbox.Exists("win/qemomsg.dat") ? sandbox.Read("win/qemomsg.dat") : ""; }
  std::string RulesFile() { return sandbox.Exists("address-rules.dat") ? sandbox.Read("address-rules.dat") : ""; }

  UpdateServer server;
  Settings settings;
  TaskQueueUiThread ui;
  FakeUpdateDialog dialog;
  EngineUpdateService service{settings, sandbox.folders(), ui, dialog};
};

TEST_F(UpdateTest, ValidResponsesReplaceBothFilesAndCloseTheDialog) {
  service.NTVupdateClick();
  EXPECT_TRUE(dialog.visible);
  EXPECT_EQ(dialog.message, "正在升级引擎...");
  EXPECT_EQ(dialog.button, "终止(&C)");
  WaitUntilIdle();
  EXPECT_TRUE(service.succeeded());
  EXPECT_FALSE(dialog.visible);
  EXPECT_EQ(EngineFile(), server.engineBody);
  EXPECT_EQ(NewsFile(), server.newsBody);
  EXPECT_EQ(RulesFile(), server.rulesBody);
}

TEST_F(UpdateTest, InvalidResponsesLeaveTheOldFilesAndReportTheFailure) {
  sandbox.Write("Trovik.dat", "old engines");
  sandbox.Write("win/qemomsg.dat", "old news");
  sandbox.Write("address-rules.dat", "old rules");
  server.engineBody = "[qemosearchengine]\r\n[head]\r\n[/head]\r\n[body]\r\ncut off before its end";
  server.newsBody = "no end marker";
  server.rulesBody = "[address rules]\r\n[placeholder domains]\r\n";
  service.NTVupdateClick();
  WaitUntilIdle();
  EXPECT_FALSE(service.succeeded());
  EXPECT_TRUE(dialog.visible);
  EXPECT_EQ(dialog.message, "引擎升级失败!");
  EXPECT_EQ(dialog.button, "关闭(&C)");
  EXPECT_EQ(EngineFile(), "old engines");
  EXPECT_EQ(NewsFile(), "old news");
  EXPECT_EQ(RulesFile(), "old rules");
  service.BtCancelClick();
  EXPECT_FALSE(dialog.visible);
}

TEST_F(UpdateTest, ARedirectIsAFailedDownload) {
  server.engineRedirect = true;
  service.NTVupdateClick();
  WaitUntilIdle();
  EXPECT_EQ(dialog.message, "引擎升级失败!");
  EXPECT_EQ(EngineFile(), "");
  EXPECT_EQ(NewsFile(), server.newsBody);  // the news download goes on
}

TEST_F(UpdateTest, CancellingAHangingDownloadHidesTheDialogAndReportsNothing) {
  server.delayMs = 5000;
  service.NTVupdateClick();
  while (server.requests == 0) std::this_thread::sleep_for(1ms);
  const auto start = std::chrono::steady_clock::now();
  service.BtCancelClick();
  EXPECT_FALSE(dialog.visible);
  WaitUntilIdle();
  EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
  EXPECT_EQ(dialog.message, "正在升级引擎...");
  EXPECT_EQ(server.requests, 1);  // the news download was skipped
  EXPECT_EQ(EngineFile(), "");
  server.delayMs = 0;  // a cancelled update leaves the next one free to run
  service.NTVupdateClick();
  WaitUntilIdle();
  EXPECT_TRUE(service.succeeded());
  EXPECT_FALSE(dialog.visible);
}

TEST_F(UpdateTest, AStallingServerEndsTheUpdateAsAFailure) {
  settings.lowspeedtime = 1;
  server.delayMs = 60000;
  service.NTVupdateClick();
  WaitUntilIdle();
  EXPECT_FALSE(service.succeeded());
  EXPECT_EQ(dialog.message, "引擎升级失败!");
}

TEST_F(UpdateTest, CancelRightAfterTheStartWritesNothing) {
  server.delayMs = 300;
  service.StartEngineUpdate(true);
  service.StopEngineUpdate(true);
  EXPECT_FALSE(service.running());
  EXPECT_FALSE(service.succeeded());
  EXPECT_EQ(EngineFile(), "");
  EXPECT_EQ(NewsFile(), "");
}

TEST_F(UpdateTest, OnlyOneThreadRunsAndTheDialogShowsItsOutcome) {
  server.delayMs = 300;
  service.StartEngineUpdate(true);
  service.NTVupdateClick();
  EXPECT_TRUE(dialog.visible);
  WaitUntilIdle();
  EXPECT_EQ(server.requests, 3);  // one engine file, one news file and one address rules file
  EXPECT_FALSE(dialog.visible);
  EXPECT_TRUE(service.succeeded());
}

TEST_F(UpdateTest, AutomaticUpdatesStopOnceOneHasSucceeded) {
  service.SearchStarted();
  EXPECT_FALSE(dialog.visible);
  WaitUntilIdle();
  EXPECT_TRUE(service.succeeded());
  service.SearchStarted();
  EXPECT_FALSE(service.running());
  EXPECT_EQ(server.requests, 3);
}

TEST_F(UpdateTest, AutoUpdateOffNeverTouchesTheFiles) {
  settings.autoupdate = false;
  sandbox.Write("Trovik.dat", "old engines");
  service.SearchStarted();
  WaitUntilIdle();
  EXPECT_EQ(server.requests, 0);
  EXPECT_EQ(EngineFile(), "old engines");
  EXPECT_EQ(NewsFile(), "");
  EXPECT_FALSE(service.succeeded());
}

class NewsTest : public test::SandboxTest {
 protected:
  void WriteNews(const std::string& text) { sandbox.Write("win/qemomsg.dat", text); }
  void Tick() { news.ShowNextNews(sandbox.folders(), line); }
  NewsRotation news;
  FakeNewsLine line;
};

TEST_F(NewsTest, MessagesRotateOnePerTick) {
  WriteNews(" [MSG]  \r\nfree\r\n[body]\r\none<1>L1<2>x\r\ntwo<1>L2<2>\r\nthree<1>L3<2>\r\n[/body]\r\n");
  std::vector<std::string> shown;
  for (int i = 0; i < 5; ++i) {
    Tick();
    shown.push_back(line.caption + "|" + line.link);
  }
  EXPECT_EQ(shown, (std::vector<std::string>{"one|L1", "two|L2", "three|L3", "one|L1", "two|L2"}));
}

TEST_F(NewsTest, MissingMarkersKeepTheLineAsItIs) {
  WriteNews("[msg]\r\n[body]\r\nno markers\r\ncaption only<1>\r\n<2>link first<1>\r\n[/body]\r\n");
  Tick();
  EXPECT_EQ(line.caption, "welcome");
  Tick();
  EXPECT_EQ(line.caption, "caption only");
  EXPECT_EQ(line.link, "home");
  Tick();
  EXPECT_EQ(line.caption, "<2>link first");
  EXPECT_EQ(line.link, "");
}

TEST_F(NewsTest, UnusableFilesShowNothing) {
  Tick();
  WriteNews("");
  Tick();
  WriteNews("[news]\r\n[body]\r\na<1>b<2>\r\n[/body]\r\n");
  Tick();
  WriteNews("[msg]\r\n[body]\r\n[/body]\r\n");
  Tick();
  WriteNews("[msg]\r\n[body]\r\na<1>b<2>\r\n");
  Tick();
  EXPECT_EQ(line.caption, "welcome");
  EXPECT_EQ(news.counter(), 0);
}

}  // namespace
}  // namespace marvessa
