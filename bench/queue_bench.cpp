// The duplicate tests of the pending-URL queues and the seen-address list: 100,000 distinct
// entries, each added after its test. Handing out the jobs of a run over many engines.
#include <benchmark/benchmark.h>

#include "sandbox/testengine.h"
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

// Every job of a run: one keyword over 20,000 engines (argument 1) against 20,000 keywords over
// one engine (argument 0), the same number of jobs.
void BM_TakeAllJobs(benchmark::State& state) {
  constexpr int kJobs = 20000;
  const bool manyEngines = state.range(0) == 1;
  const Lines block = {"key", "<body>", "</body>", "<li>", "</li>", "href=", ">", "<b>", "</b>", "", "",
                       "http://127.0.0.1/", "s?q=", "&p=", "", "next", "</a>", "10", "0", "0", "0", "", "", "", ""};
  Settings settings;
  RunState run(settings);
  run.SetRunEngines(sandbox::TestRunEngineList(std::vector<Lines>(manyEngines ? kJobs : 1, block)));
  EngineDef engine;
  for (auto _ : state) {
    run.runKeywords = Lines(manyEngines ? 1 : kJobs, "keyword");
    run.SetKeywordIndex(0);
    run.SetEngineIndex(0);
    int jobs = 0;
    while (!run.TakeNextJob(engine).empty()) ++jobs;
    if (jobs != kJobs) state.SkipWithError("wrong job count");
  }
}
BENCHMARK(BM_TakeAllJobs)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace marvessa
