// Search workers that tests finish by hand, and a factory that records them.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "base/uuithread.h"
#include "search/uworker.h"

namespace marvessa::test {

class FakeWorker : public SearchWorker {
 public:
  FakeWorker(int slot, bool engineMode, std::function<void(int)> finished, UiThread& ui)
      : slot(slot), engineMode(engineMode), finished_(std::move(finished)), ui_(ui) {}
  void StopWorker() override { ++stops; }
  void CheckWorkerTimeout(int limitMinutes) override { timeoutChecks.push_back(limitMinutes); }
  void Join() override {}
  // Ends the worker: its finished notification is posted to the UI thread.
  void Finish() {
    ended = true;
    ui_.Post([f = finished_, s = slot] { f(s); });
  }

  const int slot;
  const bool engineMode;
  int stops = 0;
  std::vector<int> timeoutChecks;
  bool ended = false;

 private:
  std::function<void(int)> finished_;
  UiThread& ui_;
};

class FakeWorkerFactory : public SearchWorkerFactory {
 public:
  explicit FakeWorkerFactory(UiThread& ui) : ui_(ui) {}
  std::unique_ptr<SearchWorker> CreateWorker(int slot, bool engineMode, std::function<void(int)> finished) override {
    if (failures > 0) {
      --failures;
      throw std::runtime_error("no thread");
    }
    auto w = std::make_unique<FakeWorker>(slot, engineMode, std::move(finished), ui_);
    live.push_back(w.get());
    created.push_back({slot, engineMode});
    return w;
  }
  // Workers not yet finished by the test (pointers stay valid until their notification ran).
  std::vector<FakeWorker*> live;
  struct Made {
    int slot;
    bool engineMode;
  };
  std::vector<Made> created;
  int failures = 0;

 private:
  UiThread& ui_;
};

}  // namespace marvessa::test
