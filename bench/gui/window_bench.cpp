// The cost of the window's lists as a run fills them: every new URL or row is one insert into a
// shown view, followed by the event processing that the next hand-over brings.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <atomic>
#include <thread>
#include <vector>

#include "app/wuithread.h"
#include "base/uglobal.h"
#include "results/wlistview.h"
#include "search/urunstate.h"
#include "search/wsearchboxes.h"
#include "tests/support/fake_messages.h"

namespace marvessa {
namespace {

std::string Url(int i) { return "http://127.0.0.1/site" + std::to_string(i) + "/contact.htm"; }

// New level-1 URLs on top of a shown list, one at a time.
void BM_PendingUrlListInsert(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  for (auto _ : state) {
    UrlQueue queue;
    UrlListView view(queue, nullptr);
    queue.SetObserver(view.queueModel());
    view.resize(150, 120);
    view.show();
    for (int i = 0; i < count; ++i) {
      queue.AddNewest(Url(i));
      QCoreApplication::processEvents();
    }
  }
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_PendingUrlListInsert)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// New customer-list rows appended to a shown list, one at a time.
void BM_CustomerListAppend(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  for (auto _ : state) {
    ResultList results;
    CustomerListView view(results, nullptr);
    results.SetView(&view);
    view.resize(460, 300);
    view.show();
    for (int i = 0; i < count; ++i) {
      results.AddResult("sales" + std::to_string(i) + "@x.cn", Url(i), "Company");
      QCoreApplication::processEvents();
    }
    results.SetView(nullptr);
  }
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_CustomerListAppend)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// 48 worker threads handing new level-1 URLs over to the UI thread, which adds them to the run
// state and so to the shown level-1 list.
void BM_HandOversFrom48Workers(benchmark::State& state) {
  constexpr int kWorkers = 48;
  const int perWorker = static_cast<int>(state.range(0)) / kWorkers;
  Settings settings;
  settings.chache1number = 100000;
  test::FakeMessageBoxes messages;
  QtUiThread ui;
  for (auto _ : state) {
    RunState run(settings);
    SearchBoxes boxes(run, nullptr);
    boxes.resize(150, 300);
    boxes.show();
    std::atomic<int> done{0};
    std::vector<std::thread> workers;
    for (int w = 0; w < kWorkers; ++w) {
      workers.emplace_back([&, w] {
        for (int i = 0; i < perWorker; ++i) {
          const std::string url = Url(w * perWorker + i);
          ui.Invoke([&] { run.AddLevel1(url, "title"); });
        }
        ++done;
      });
    }
    while (done < kWorkers) ui.WaitForEvents(5);
    for (std::thread& t : workers) t.join();
    run.SetObservers(nullptr, nullptr);
  }
  state.SetItemsProcessed(state.iterations() * perWorker * kWorkers);
}
BENCHMARK(BM_HandOversFrom48Workers)->Arg(4800)->Arg(48000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace marvessa

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
