// The customer list at 100,000 rows: the duplicate filter, sorting by each key and the worst
// order for the sort, and the memory a row takes.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdio>
#include <random>

#include "results/ulistcommands.h"
#include "results/usortresults.h"
#include "tests/support/fake_shell.h"
#include "tests/support/fake_window.h"

namespace marvessa {
namespace {

constexpr int kRows = 100000;

// Rows with realistic lengths; every address occurs twice when duplicated.
std::vector<ResultRecord> MakeRows(bool duplicated) {
  std::mt19937 random(3);
  std::vector<ResultRecord> rows;
  rows.reserve(kRows);
  for (int i = 0; i < kRows; ++i) {
    const int n = duplicated ? i / 2 : i;
    const std::string site = "company" + std::to_string(n % 4000) + ".com";
    rows.push_back({"sales" + std::to_string(n) + "@" + site, "http://www." + site + "/contact/page" + std::to_string(random() % 1000) + ".htm",
                    "\xB7\xFE\xD7\xB0\xB3\xF6\xBF\xDA Trading Co. " + std::to_string(n % 4000), {}});
  }
  std::shuffle(rows.begin(), rows.end(), random);
  return rows;
}

struct ListFixture {
  Settings settings;
  RunState run{settings};
  ResultList results;
  DocumentState document;
  test::FakeWindow window;
  test::FakeShell shell;
  TaskQueueUiThread ui;
  ListCommands commands{{results, window, window, run, window, document, ui, shell}};
};

// Building and releasing the list are not part of the measured time.
std::unique_ptr<ListFixture> MakeList(benchmark::State& state, const std::vector<ResultRecord>& rows) {
  state.PauseTiming();
  auto list = std::make_unique<ListFixture>();
  list->results.Rows() = rows;
  state.ResumeTiming();
  return list;
}

void DropList(benchmark::State& state, std::unique_ptr<ListFixture>& list) {
  state.PauseTiming();
  list.reset();
  state.ResumeTiming();
}

void BM_FilterDuplicates(benchmark::State& state) {
  const std::vector<ResultRecord> rows = MakeRows(true);
  for (auto _ : state) {
    auto list = MakeList(state, rows);
    list->commands.FilterDuplicates();
    if (list->results.Count() != kRows / 2) state.SkipWithError("wrong row count");
    DropList(state, list);
  }
}
BENCHMARK(BM_FilterDuplicates)->Unit(benchmark::kMillisecond);

void BM_SortByKey(benchmark::State& state) {
  const std::vector<ResultRecord> rows = MakeRows(false);
  const int key = static_cast<int>(state.range(0));
  for (auto _ : state) {
    auto list = MakeList(state, rows);
    list->commands.SortResults(key);
    DropList(state, list);
  }
}
BENCHMARK(BM_SortByKey)->DenseRange(1, 4)->Unit(benchmark::kMillisecond);

// Two sorted halves whose addresses interleave (the even numbers, then the odd ones): the
// order that drives a middle-pivot quicksort quadratic.
std::vector<ResultRecord> InterleavedHalves() {
  std::vector<ResultRecord> rows = MakeRows(false);
  for (int i = 0; i < kRows; ++i) {
    const int n = i < kRows / 2 ? 2 * i : 2 * (i - kRows / 2) + 1;
    char email[32];
    std::snprintf(email, sizeof email, "sales%06d@company.com", n);
    rows[i].email = email;
  }
  return rows;
}

void BM_SortInterleavedHalves(benchmark::State& state) {
  const std::vector<ResultRecord> rows = InterleavedHalves();
  for (auto _ : state) {
    auto list = MakeList(state, rows);
    list->commands.SortResults(kSortByEmail);
    DropList(state, list);
  }
}
BENCHMARK(BM_SortInterleavedHalves)->Unit(benchmark::kMillisecond);

void BM_RowMemory(benchmark::State& state) {
  const std::vector<ResultRecord> rows = MakeRows(false);
  double perRow = 0;
  for (auto _ : state) {
    const std::size_t before = mallinfo2().uordblks;
    auto results = std::make_unique<ResultList>();
    for (const ResultRecord& r : rows) results->AddResult(r.email, r.url, r.title);
    perRow = static_cast<double>(mallinfo2().uordblks - before) / kRows;
  }
  state.counters["bytes_per_row"] = perRow;
  state.counters["record_size"] = sizeof(ResultRecord);
}
BENCHMARK(BM_RowMemory)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace marvessa
