// The duplicate tests of the pending-URL queues and the seen-address list: 100,000 distinct
// entries, each added after its test.
#include <benchmark/benchmark.h>

#include "search/urunstate.h"

namespace marvessa {
namespace {

constexpr int kEntries = 100000;

Lines DistinctUrls() {
  Lines urls;
  for (int i = 0; i < kEntries; ++i) urls.push_back("http://Site" + std::to_string(i % 500) + ".com/Page" + std::to_string(i) + ".htm");
  return urls;
}

void BM_Level2AddAfterDuplicateTest(benchmark::State& state) {
  const Lines urls = DistinctUrls();
  Settings settings;
  settings.chache2number = kEntries;
  for (auto _ : state) {
    state.PauseTiming();
    auto run = std::make_unique<RunState>(settings);
    state.ResumeTiming();
    for (const std::string& url : urls)
      if (!run->IsKnownLevel2Url(url)) run->AddLevel2(url);
    state.PauseTiming();
    run.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_Level2AddAfterDuplicateTest)->Unit(benchmark::kMillisecond);

void BM_RememberEmail(benchmark::State& state) {
  Lines emails;
  for (int i = 0; i < kEntries; ++i) emails.push_back("Sales" + std::to_string(i) + "@Example.com");
  Settings settings;
  for (auto _ : state) {
    state.PauseTiming();
    auto run = std::make_unique<RunState>(settings);
    state.ResumeTiming();
    for (const std::string& email : emails) benchmark::DoNotOptimize(run->RememberEmail(email));
    state.PauseTiming();
    run.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_RememberEmail)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace marvessa
