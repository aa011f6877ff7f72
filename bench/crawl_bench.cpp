// The crawl of the search workers over the 2,000 pages of the loopback company web, at 1, 12 and
// 48 workers: the same page set as the plain-libcurl baseline (BM_CrawlPlainCurl), but with all
// the worker does per page (fresh connection, start-of-body check, scanning, hand-overs to the
// UI thread, which this benchmark's thread serves). Links are not followed, so both crawl the
// same 2,000 pages.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "bench/crawl_web.h"
#include "search/usrchthd.h"

namespace marvessa {
namespace {

double ProcessCpuSeconds() { return bench::CpuSeconds(CLOCK_PROCESS_CPUTIME_ID); }

void BM_CrawlWorkers(benchmark::State& state) {
  const int workers = static_cast<int>(state.range(0));
  const std::vector<std::string> urls = bench::CrawlBenchmarkServer().PageUrls();
  double cpu = 0;
  std::size_t pages = 0;
  std::size_t addresses = 0;
  for (auto _ : state) {
    Settings settings;
    settings.chache2number = 0;
    RunState run(settings);
    for (const auto& url : urls) run.AddLevel1(url, "");
    ResultList results;
    TaskQueueUiThread ui;
    int running = workers;
    std::vector<std::unique_ptr<Tsrchthd>> crew;
    const double start = ProcessCpuSeconds();
    for (int slot = 1; slot <= workers; ++slot)
      crew.push_back(std::make_unique<Tsrchthd>(WorkerContext{settings, run, results, ui}, slot, false,
                                                [&running](int) { --running; }));
    while (running > 0) ui.WaitForEvents(10);
    crew.clear();
    cpu += ProcessCpuSeconds() - start;
    pages += static_cast<std::size_t>(run.PagesFetched());
    addresses += static_cast<std::size_t>(results.Count());
  }
  state.counters["pages_per_s"] = benchmark::Counter(static_cast<double>(pages), benchmark::Counter::kIsRate);
  state.counters["process_cpu_s_per_1k_pages"] = cpu / static_cast<double>(pages) * 1000;
  state.counters["addresses"] = static_cast<double>(addresses) / static_cast<double>(state.iterations());
}

BENCHMARK(BM_CrawlWorkers)
    ->ArgName("workers")
    ->Arg(1)
    ->Arg(12)
    ->Arg(48)
    ->Iterations(3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace marvessa
