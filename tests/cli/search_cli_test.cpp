// marvessa-cli search and demo as processes, against the loopback test web.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>

#include "engines/ucatalog.h"
#include "sandbox/companyweb.h"
#include "sandbox/corpus.h"
#include "tests/support/sandbox.h"
#include "sandbox/testengine.h"

namespace marvessa {
namespace {

struct CliRun {
  int status = -1;
  std::string out;
};

// Runs the command line through the shell, with the arguments as UTF-8 as a console gives them,
// and gives its exit status and standard output.
CliRun RunCli(const std::string& arguments) {
  CliRun run;
  const std::string command = std::string(MARVESSA_CLI_PATH) + " " + GbkToUtf8(arguments) + " 2>/dev/null";
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.out.append(buffer, n);
  const int status = ::pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
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

TEST(DemoCli, FindsTheAddressesOfTheSandboxSitesAndOfTheCorpus) {
  const CliRun run = RunCli("demo --sites 12");
  ASSERT_EQ(run.status, 0);
  std::size_t corpusAddresses = 0;
  for (const sandbox::CorpusPage& page : sandbox::AddressCorpus()) corpusAddresses += page.addresses.size();
  // and two on each site of today's web
  EXPECT_EQ(SplitLines(run.out).size(), 12u * 5 + 8 * 2 + corpusAddresses + 1);
}

}  // namespace
}  // namespace marvessa
