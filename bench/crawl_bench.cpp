// The crawl of the search workers over the 5,000 pages of the loopback company web (1,000 sites
// on 1,000 hosts), at 1, 12 and 48 workers, over http and https, with pages sent compressed or
// as they are: the same page set as the plain-libcurl floor (BM_CrawlPlainCurl), but with all
// the worker does per page (fresh connection, start-of-body check, scanning, hand-overs to the
// UI thread, which this benchmark's thread serves). bench/crawl_floor.sh measures the same crawl
// against curl in processes of their own.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>

#include "bench/crawl_web.h"

namespace marvessa {
namespace {

double ProcessCpuSeconds() { return bench::CpuSeconds(CLOCK_PROCESS_CPUTIME_ID); }

// The resident memory of the process, in KB.
double ResidentKb() {
  long pages = 0;
  if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%*d %ld", &pages) != 1) pages = 0;
    std::fclose(statm);
  }
  return static_cast<double>(pages) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1024;
}

void BM_CrawlWorkers(benchmark::State& state) {
  const int workers = static_cast<int>(state.range(0));
  const std::vector<std::string> urls =
      bench::CrawlBenchmarkServer(state.range(1) != 0, state.range(2) != 0).PageUrls();
  double cpu = 0;
  double workerKb = 0;
  std::size_t pages = 0;
  std::size_t addresses = 0;
  for (auto _ : state) {
    const double start = ProcessCpuSeconds();
    const double residentBefore = ResidentKb();
    // What the workers hold when done: their HTTP clients, buffers and threads' stacks in use.
    const bench::WorkerCrawl crawl = bench::CrawlWithWorkers(
        urls, workers, [&] { workerKb += (ResidentKb() - residentBefore) / workers; });
    cpu += ProcessCpuSeconds() - start;
    pages += static_cast<std::size_t>(crawl.pages);
    addresses += static_cast<std::size_t>(crawl.addresses);
  }
  state.counters["pages_per_s"] = benchmark::Counter(static_cast<double>(pages), benchmark::Counter::kIsRate);
  state.counters["process_cpu_s_per_1k_pages"] = cpu / static_cast<double>(pages) * 1000;
  state.counters["resident_kb_per_worker"] = workerKb / static_cast<double>(state.iterations());
  state.counters["addresses"] = static_cast<double>(addresses) / static_cast<double>(state.iterations());
}

BENCHMARK(BM_CrawlWorkers)
    ->ArgNames({"workers", "https", "compress"})
    ->ArgsProduct({{1, 12, 48}, {0, 1}, {0, 1}})
    ->Iterations(3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace marvessa
