// Search documents and exports of 100,000 rows. Formats: 0 text, 1 CSV, 2 xlsx, 3 JSON Lines, 4 seeds.
// The memory that reading a large document, URL list or engine file takes.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>

#include "base/ufileio.h"
#include "engines/ucatalog.h"
#include "results/uexporter.h"
#include "results/ufile.h"
#include "results/uimport.h"
#include "sandbox/testengine.h"
#include "tests/support/document_rig.h"

namespace marvessa {
namespace {

constexpr int kRows = 100000;

void FillRows(ResultList& results) {
  for (int i = 0; i < kRows; ++i) {
    const std::string n = std::to_string(i);
    results.AddResult("sales" + n + "@company" + n + ".com.cn", "http://www.company" + n + ".com.cn/contact.htm",
                      "公司 " + n + " - 联系我们");
  }
}

std::string TempPath(const char* name) { return (std::filesystem::temp_directory_path() / name).string(); }

using Document = test::DocumentRig;

void BM_SaveDocument(benchmark::State& state) {
  Document doc;
  FillRows(doc.results);
  const std::string path = TempPath("marvessa-bench-save.mvx");
  for (auto _ : state) SaveDocument(doc.parts, path);
  state.SetItemsProcessed(state.iterations() * kRows);
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
  DeleteFileIfExists(path);
}
BENCHMARK(BM_SaveDocument)->Unit(benchmark::kMillisecond);

void BM_LoadDocument(benchmark::State& state) {
  const std::string path = TempPath("marvessa-bench-load.mvx");
  {
    Document source;
    FillRows(source.results);
    SaveDocument(source.parts, path);
  }
  for (auto _ : state) {
    Document doc;
    LoadDocument(doc.parts, false, path, doc.document);
    benchmark::DoNotOptimize(doc.results.Count());
  }
  state.SetItemsProcessed(state.iterations() * kRows);
  DeleteFileIfExists(path);
}
BENCHMARK(BM_LoadDocument)->Unit(benchmark::kMillisecond);

// Every export format against the document save above, which writes the same rows. Seeds are
// the level-1 list, filled with as many URLs.
void BM_Export(benchmark::State& state) {
  const auto format = static_cast<ExportFormat>(state.range(0));
  Document doc;
  FillRows(doc.results);
  for (int i = 0; i < kRows; ++i)
    doc.run.AddLevel1("http://www.company" + std::to_string(i) + ".com.cn/", "公司 " + std::to_string(i));
  doc.settings.exportstring = "<邮址>,<网址>,<标题>";
  const auto exporter = MakeExporter(format, TextEncoding::Utf8, doc.settings);
  const std::string path = TempPath("marvessa-bench-export");
  for (auto _ : state) ExportToFile(path, *exporter, ExportSourceOf(doc.parts), doc.ui, doc.window);
  state.SetItemsProcessed(state.iterations() * kRows);
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
  DeleteFileIfExists(path);
}
BENCHMARK(BM_Export)
    ->ArgName("format")
    ->DenseRange(static_cast<int>(ExportFormat::Text), static_cast<int>(ExportFormat::Seeds))
    ->Unit(benchmark::kMillisecond);

// A line of /proc/self/status, in kB.
long StatusKb(const char* field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.starts_with(field)) return std::stol(line.substr(std::string(field).size()));
  return 0;
}

// The memory that read() adds at its peak, in bytes, measured in a child process that has given
// its free heap back and whose high-water mark is reset, so that neither hides the peak.
double PeakOfReading(const std::function<void()>& read) {
  int pipe[2];
  if (::pipe(pipe) != 0) return -1;
  const pid_t child = ::fork();
  if (child == 0) {
    ::malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
    const long before = StatusKb("VmRSS:");
    read();
    const long peak = (StatusKb("VmHWM:") - before) * 1024;
    (void)!::write(pipe[1], &peak, sizeof peak);
    ::_exit(0);
  }
  long peak = -1;
  (void)!::read(pipe[0], &peak, sizeof peak);
  ::waitpid(child, nullptr, 0);
  ::close(pipe[0]);
  ::close(pipe[1]);
  return static_cast<double>(peak);
}

// A document whose parts are the given lines: the rows, then the three lists.
std::string DocumentOf(const std::string& rows, const std::string& level1, const std::string& level2,
                       const std::string& titles, const std::string& keywords) {
  return "[qemosearchfile]\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n[head]\r\nk\r\n0\r\n0\r\n0\r\n0\r\n[/head]\r\n"
         "[keywords]\r\n" + keywords + "[/keywords]\r\n[body]\r\n" + rows + "[/body]\r\n[uncheck]\r\n" + level1 +
         "[/uncheck]\r\n[scan]\r\n" + level2 + "[/scan]\r\n[title]\r\n" + titles + "[/title]\r\n";
}

// 20 MB of lines of distinct typical URLs, each of which the duplicate index holds.
std::string UrlLines() {
  std::string lines;
  char url[64];
  for (int i = 0; lines.size() < (20u << 20); ++i)
    lines.append(url, std::snprintf(url, sizeof url, "http://www.company%08d.com.cn/contact.htm\r\n", i));
  return lines;
}

// 20 MB of distinct customer rows of typical values.
std::string RowLines() {
  std::string lines;
  char row[256];
  for (int i = 0; lines.size() < (20u << 20); ++i)
    lines.append(row, std::snprintf(row, sizeof row,
                                    "0\r\n0\r\nsales%d@company%08d.com.cn\r\nCompany %d - Contact\r\n"
                                    "http://www.company%08d.com.cn/contact.htm\r\nCompany %d - Contact\r\n"
                                    "\r\n\r\n\r\n\r\n\r\n\r\n",
                                    i, i, i, i, i));
  return lines;
}

// Each file kind read as the program reads it; the counter is the peak memory per byte of file.
void BM_ReadingMemory(benchmark::State& state) {
  const bool urlList = state.range(0) == 1 || state.range(0) == 4;
  const std::string path = TempPath(urlList ? "marvessa-bench-read.txt" : "marvessa-bench-read.dat");
  std::function<void()> readDocument = [&] {
    Document doc;
    LoadDocument(doc.parts, false, path, doc.document);
  };
  std::function<void()> readUrlList = [&] {
    Document doc;
    ImportUrlList(path, doc.run, doc.ui, doc.window);
  };
  std::function<void()> read = urlList ? readUrlList : readDocument;
  switch (state.range(0)) {
    case 0: {  // a document each of whose parts is 4 MB of line breaks
      const std::string breaks(4 << 20, '\n');
      WriteFileAtomic(path, DocumentOf(breaks, breaks, breaks, breaks, breaks));
      break;
    }
    case 1:  // a URL list of one line of 64 MB
      WriteFileAtomic(path, "http://127.0.0.1/" + std::string(64 << 20, 'a'));
      break;
    case 2: {  // an engine file of 20,000 engines
      const sandbox::TestEngine engine;
      WriteFileAtomic(path, EngineFileText(sandbox::TestCatalog(
                                std::vector<sandbox::CatalogEngine>(20000, {"engine", 0, engine.EngineBlock()}))));
      read = [&] { benchmark::DoNotOptimize(LoadCatalog(path).size()); };
      if (ListEngines(LoadCatalog(path), "").size() != 20000) state.SkipWithError("the engine file does not load");
      break;
    }
    case 3:  // a document of 20 MB of pending URLs
      WriteFileAtomic(path, DocumentOf("", UrlLines(), "", "", ""));
      break;
    case 4:  // a URL list of 20 MB
      WriteFileAtomic(path, UrlLines());
      break;
    default:  // a document of 20 MB of customer rows
      WriteFileAtomic(path, DocumentOf(RowLines(), "", "", "", ""));
  }
  double peak = 0;
  for (auto _ : state) peak = PeakOfReading(read);
  state.counters["peak_per_file_byte"] = peak / static_cast<double>(std::filesystem::file_size(path));
  DeleteFileIfExists(path);
}
BENCHMARK(BM_ReadingMemory)->DenseRange(0, 5)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace marvessa
