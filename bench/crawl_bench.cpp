// The crawl of the search workers over the 5,000 pages of the loopback company web (1,000 sites
// on 1,000 hosts), at 1, 12 and 48 workers, over http and https: the same page set as the
// plain-libcurl floor (BM_CrawlPlainCurl), but with all the worker does per page (fresh
// connection, start-of-body check, scanning, hand-overs to the UI thread, which this benchmark's
// thread serves). Links are not followed and robots.txt is not read, so both make the same
// requests.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "bench/crawl_web.h"
#include "search/usrchthd.h"

namespace marvessa {
namespace {

double ProcessCpuSeconds() { return bench::CpuSeconds(CLOCK_PROCESS_CPUTIME_ID); }

// The resident memory of the process, in KB.
double ResidentKb() {
  long pages = 0;
  if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%*ld %ld", &pages) != 1) pages = 0;
    std::fclose(statm);
  }
  return static_cast<double>(pages) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1024;
}

void BM_CrawlWorkers(benchmark::State& state) {
  const int workers = static_cast<int>(state.range(0));
  const std::vector<std::string> urls = bench::CrawlBenchmarkServer(state.range(1) != 0).PageUrls();
  double cpu = 0;
  double workerKb = 0;
  std::size_t pages = 0;
  std::size_t addresses = 0;
  for (auto _ : state) {
    Settings settings;
    settings.chache2number = 0;
    settings.robots = false;  // the same requests as the plain client's
    RunState run(settings);
    for (const auto& url : urls) run.AddLevel1(url, "");
    ResultList results;
    TaskQueueUiThread ui;
    int running = workers;
    std::vector<std::unique_ptr<Tsrchthd>> crew;
    const double start = ProcessCpuSeconds();
    const double residentBefore = ResidentKb();
    for (int slot = 1; slot <= workers; ++slot)
      crew.push_back(std::make_unique<Tsrchthd>(WorkerContext{settings, run, results, ui}, slot, false,
                                                [&running](int) { --running; }));
    while (running > 0) ui.WaitForEvents(10);
    // What the workers hold when done: their HTTP clients, buffers and threads' stacks in use.
    workerKb += (ResidentKb() - residentBefore) / workers;
    crew.clear();
    cpu += ProcessCpuSeconds() - start;
    pages += static_cast<std::size_t>(run.PagesFetched());
    addresses += static_cast<std::size_t>(results.Count());
  }
  state.counters["pages_per_s"] = benchmark::Counter(static_cast<double>(pages), benchmark::Counter::kIsRate);
  state.counters["process_cpu_s_per_1k_pages"] = cpu / static_cast<double>(pages) * 1000;
  state.counters["resident_kb_per_worker"] = workerKb / static_cast<double>(state.iterations());
  state.counters["addresses"] = static_cast<double>(addresses) / static_cast<double>(state.iterations());
}

BENCHMARK(BM_CrawlWorkers)
    ->ArgNames({"workers", "https"})
    ->ArgsProduct({{1, 12, 48}, {0, 1}})
    ->Iterations(3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace marvessa
