// Search documents and exports of 100,000 rows. Formats: 0 text, 1 CSV, 2 xlsx, 3 JSON Lines, 4 seeds.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "app/ufileio.h"
#include "results/uexporter.h"
#include "results/ufile.h"
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

}  // namespace
}  // namespace marvessa
