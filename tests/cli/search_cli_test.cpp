// marvessa-cli search and demo as processes, against the loopback test web.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sys/wait.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "engines/ucatalog.h"
#include "sandbox/companyweb.h"
#include "sandbox/corpus.h"
#include "tests/support/document_rig.h"
#include "tests/support/faultweb.h"
#include "tests/support/sandbox.h"
#include "sandbox/testengine.h"

namespace marvessa {
namespace {

struct CliRun {
  int status = -1;
  std::string out;
};

// The command line run by the shell, with the arguments as UTF-8 as a console gives them, between
// the shell words before and after.
FILE* StartCli(const std::string& arguments, const std::string& before = "", const std::string& after = "") {
  const std::string command =
      before + std::string(MARVESSA_CLI_PATH) + " " + GbkToUtf8(arguments) + " 2>/dev/null" + after;
  return ::popen(command.c_str(), "r");
}

// The exit status and standard output of a command line started by StartCli.
CliRun FinishCli(FILE* pipe) {
  CliRun run;
  if (!pipe) return run;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.out.append(buffer, n);
  const int status = ::pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

CliRun RunCli(const std::string& arguments, const std::string& before = "") {
  return FinishCli(StartCli(arguments, before));
}

// A document with one row, and pending level-1 URLs when some are given.
void WriteDocument(const std::string& path, const Lines& pending = {}) {
  test::DocumentRig doc;
  doc.results.AddResult("saved@x.cn", "http://127.0.0.1/", "t");
  for (const std::string& url : pending) doc.run.AddLevel1(url, "");
  SaveDocument(doc.parts, path);
}

class SearchCliTest : public test::SandboxTest {
 protected:
  SearchCliTest() {
    std::vector<std::string> sites;
    for (int s = 0; s < web.Sites(); ++s) sites.push_back(web.SiteUrl(s));
    engine = std::make_unique<sandbox::TestEngine>(sandbox::TestEngineOptions{.pages = 1, .resultsPerPage = 4, .resultUrls = sites});
    sandbox.Write(kEngineFileName, EngineFileText(sandbox::TestCatalog({{"loopback", 0, engine->EngineBlock()}})));
    sandbox.Write("Trovik.ini", "[Rodideva Trovik]\r\nautoupdate=0\r\nfiltertitle=0\r\n");
  }
  std::string Home() const { return "--home " + sandbox.Dir(); }

  sandbox::CompanyWeb web{{.sites = 4}};
  std::unique_ptr<sandbox::TestEngine> engine;
};

// The report names every engine of the run with what became of its requests; stderr has a
// line for each.
TEST_F(SearchCliTest, ReportGivesThePagesAddressesAndEngines) {
  const CliRun run = FinishCli(StartCli(Home() + " search --report " + sandbox.Path("report.json") + " --export " +
                                           sandbox.Path("out.txt") + " k",
                                       "", " 2>" + sandbox.Path("err.txt")));
  ASSERT_EQ(run.status, 0);
  const auto report = nlohmann::json::parse(sandbox.Read("report.json"));
  EXPECT_GT(report.at("pages").get<int>(), 4);
  EXPECT_EQ(report.at("addresses"), 20);
  EXPECT_GE(report.at("seconds").get<double>(), 0.0);
  ASSERT_EQ(report.at("engines").size(), 1u);
  const auto& engine = report.at("engines")[0];
  EXPECT_EQ(engine, nlohmann::json::parse(R"({"name": "loopback", "scope": 0, "requests": 1, "resultPages": 1,
      "results": 4, "outcome": "ok", "lastStatus": 200, "lastUrl": ")" + this->engine->QueryUrl("k", 0) + "\"}"));
  const Lines err = SplitLines(sandbox.Read("err.txt"));
  ASSERT_FALSE(err.empty());
  EXPECT_TRUE(StartsWith(err.back(), GbkToUtf8("loopback  中文  请求:1  结果页:1  结果:4  正常  HTTP 200"))) << err.back();
}

TEST_F(SearchCliTest, SearchExportsTheCustomerListAndSavesTheDocument) {
  const CliRun run = RunCli(Home() + " search --export " + sandbox.Path("out.txt") + " --save " +
                         sandbox.Path("run.mvx") + " --layout '<邮址>,<网址>' 服装");
  ASSERT_EQ(run.status, 0);
  const Lines lines = SplitLines(sandbox.Read("out.txt"));  // GBK, as the program writes it
  EXPECT_EQ(lines.size(), 4u * 5);
  EXPECT_NE(std::find(lines.begin(), lines.end(), "sales@c2-trade.cn," + web.PageUrl(2, "contact.htm")), lines.end());
  EXPECT_EQ(engine->Requests().at(0).keyword, "%B7%FE%D7%B0");  // 服装 in GBK
  EXPECT_TRUE(sandbox.Exists("run.mvx"));
  EXPECT_FALSE(sandbox.Exists("temp.mvx"));
  EXPECT_EQ(sandbox.Read("Trovik.ini").find("<网址>"), std::string::npos);  // the layout was this run's only

  const CliRun exported = RunCli(Home() + " export " + sandbox.Path("run.mvx"));
  EXPECT_EQ(exported.status, 0);
  EXPECT_EQ(SplitLines(exported.out).size(), 20u);
}

TEST_F(SearchCliTest, ContinuingAnOpenedDocumentKeepsItsRows) {
  ASSERT_EQ(RunCli(Home() + " search --save " + sandbox.Path("a.mvx") + " k").status, 0);
  const CliRun again = RunCli(Home() + " search --open " + sandbox.Path("a.mvx") + " --continue --export -");
  EXPECT_EQ(again.status, 0);
  EXPECT_EQ(SplitLines(again.out).size(), 20u);  // nothing new was found, nothing was lost
}

TEST_F(SearchCliTest, ImportedUrlsAreCrawledWithoutKeywords) {
  sandbox.Write("urls.txt", web.SiteUrl(1) + "\r\n");
  const CliRun run = RunCli(Home() + " search --import " + sandbox.Path("urls.txt"));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(SplitLines(run.out).size(), 5u + 1);  // and the partner site's about page
  EXPECT_TRUE(engine->Requests().empty());
}

TEST_F(SearchCliTest, NothingFoundAndNothingToSearchHaveTheirOwnStatus) {
  engine.reset();
  auto empty = std::make_unique<sandbox::TestEngine>(sandbox::TestEngineOptions{.pages = 1, .resultsPerPage = 0});
  sandbox.Write(kEngineFileName, EngineFileText(sandbox::TestCatalog({{"empty", 0, empty->EngineBlock()}})));
  EXPECT_EQ(RunCli(Home() + " search k").status, 3);
  EXPECT_EQ(RunCli(Home() + " search").status, 2);
}

TEST_F(SearchCliTest, AFailedSaveKeepsTheRowsInTheAutosaveFile) {
  sandbox.Write("blocker", "a file, not a folder");
  EXPECT_EQ(RunCli(Home() + " search --save " + sandbox.Path("blocker/run.mvx") + " k").status, 1);
  ASSERT_TRUE(sandbox.Exists("temp.mvx"));
  EXPECT_EQ(SplitLines(RunCli(Home() + " export " + sandbox.Path("temp.mvx")).out).size(), 20u);
}

TEST_F(SearchCliTest, AnAutosaveLeftByAKilledRunStopsANewSearchUntilOpenedOrDiscarded) {
  const std::string autosave = sandbox.Path("temp.mvx");
  WriteDocument(autosave);
  const std::string left = sandbox.Read("temp.mvx");
  EXPECT_EQ(RunCli(Home() + " search k").status, 2);
  EXPECT_EQ(sandbox.Read("temp.mvx"), left);
  const CliRun continued = RunCli(Home() + " search --open " + autosave + " --continue k");
  EXPECT_EQ(continued.status, 0);
  EXPECT_EQ(SplitLines(continued.out).size(), 1u + 20);
  EXPECT_FALSE(sandbox.Exists("temp.mvx"));
  WriteDocument(autosave);
  const CliRun discarded = RunCli(Home() + " search --discard-autosave k");
  EXPECT_EQ(discarded.status, 0);
  EXPECT_EQ(SplitLines(discarded.out).size(), 20u);
}

TEST_F(SearchCliTest, SigtermEndsTheRunAsCtrlCDoesAndKeepsWhatWasFound) {
  test::FaultWeb faults;  // its page never answers, so the run goes on until it is ended
  WriteDocument(sandbox.Path("doc.mvx"), {faults.Url("/silent")});
  const std::string pidFile = sandbox.Path("cli.pid");
  FILE* cli = StartCli(Home() + " search --open " + sandbox.Path("doc.mvx") + " --continue", "",
                       " & echo $! >" + pidFile + "; wait $!");
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while ((faults.Connections() == 0 || !sandbox.Exists("cli.pid")) && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  std::this_thread::sleep_for(std::chrono::milliseconds(100));  // the pid is written whole
  ::kill(std::stoi(sandbox.Read("cli.pid")), SIGTERM);
  const CliRun run = FinishCli(cli);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "saved@x.cn\n");
}

// No file may grow (ulimit -f 0), so the settings cannot be saved at the end, as in a read-only
// program folder: that is warned about, and the run's status stands.
TEST_F(SearchCliTest, SettingsThatCannotBeWrittenLeaveTheStatusOfTheRun) {
  const CliRun run = RunCli(Home() + " search k", "trap '' XFSZ; ulimit -f 0; ");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(SplitLines(run.out).size(), 20u);
}

TEST(DemoCli, FindsTheAddressesOfTheSandboxSitesAndOfTheCorpus) {
  const CliRun run = RunCli("demo --sites 12");
  ASSERT_EQ(run.status, 0);
  std::size_t corpusAddresses = 0;
  for (const sandbox::CorpusPage& page : sandbox::AddressCorpus()) corpusAddresses += page.addresses.size();
  // and two on each site of today's web, then the summary and the engine's status
  const Lines lines = SplitLines(run.out);
  EXPECT_EQ(lines.size(), 12u * 5 + 8 * 2 + corpusAddresses + 2);
  EXPECT_TRUE(StartsWith(lines.back(), GbkToUtf8("搜索引擎: 演示引擎  中文  请求:"))) << lines.back();
  EXPECT_NE(lines.back().find(GbkToUtf8("  正常  HTTP 200  http://127.0.0.1:")), std::string::npos) << lines.back();
}

}  // namespace
}  // namespace marvessa
