// A UI thread for tests: work runs at once, and each pump of the event queue runs a hook, so a
// test can act as the events that arrive while a long command runs.
#pragma once

#include <functional>

#include "base/uuithread.h"

namespace marvessa::test {

class FakeUiThread : public UiThread {
 public:
  void Invoke(const std::function<void()>& task) override { task(); }
  void Post(std::function<void()> task) override { task(); }
  void PumpEvents() override {
    ++pumps;
    if (onPump) onPump();
  }
  void WaitForEvents(int) override { PumpEvents(); }
  bool IsUiThread() const override { return true; }

  int pumps = 0;
  std::function<void()> onPump;
};

}  // namespace marvessa::test
