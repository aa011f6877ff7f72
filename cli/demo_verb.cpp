// The offline demo: a real search run over a sandbox web on loopback.
#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "base/ufileio.h"
#include "cli/headless_session.h"
#include "cli/sandbox_web.h"
#include "cli/verbs.h"
#include "engines/ucatalog.h"

namespace marvessa::cli {

namespace {

// A temporary program folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "marvessa-demo-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw FileError("Cannot create a temporary folder");
    path_ = pattern + "/";
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

constexpr const char* kDemoKeyword = "服装 出口";

}  // namespace

int DemoVerb(Args& args) {
  const int sites = args.TakeInt("--sites").value_or(300);
  const auto save = args.Take("--save");
  args.Rest(0, "demo [--sites N] [--save DOC]");
  if (sites < 1) throw UsageError{"--sites needs at least one site"};

  const SandboxWeb web(sites);
  TempFolder home;
  WriteFileAtomic(home.Path() + kEngineFileName, web.EngineFile());
  WriteFileAtomic(home.Path() + "Trovik.ini", "[Rodideva Trovik]\r\nautoupdate=0\r\n");
  FixedFolders folders(home.Path(), home.Path() + "win/");

  const auto start = std::chrono::steady_clock::now();
  HeadlessSession session(folders);
  TMainForm& form = session.form();
  session.window().SetKeywordText(kDemoKeyword);
  session.RunSearch(false);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;

  const ResultList& results = form.results();
  for (int i = 0; i < results.Count(); ++i) {
    const ResultRecord& row = results.ResultAt(i);
    PrintFields({row.email, row.url, row.title});
  }
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "%.2f", took.count());
  PrintLine("已搜索网页: " + IntToText(form.run().PagesFetched()) + "  邮址: " + IntToText(results.Count()) +
            "  用时(秒): " + seconds);
  for (const EngineRunRow& row : session.Report(took.count()).engines) PrintLine("搜索引擎: " + EngineStatusLine(row));
  if (save) {
    session.window().nextSaveFile = *save;
    form.files().NFSaveAsClick();
  }
  const bool found = results.Count() > 0;
  session.Close();
  return found ? 0 : 3;
}

}  // namespace marvessa::cli
