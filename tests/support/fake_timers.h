// Timers that tests fire by hand.
#pragma once

#include <vector>

#include "base/utimer.h"

namespace marvessa::test {

class FakeTimer : public Timer {
 public:
  explicit FakeTimer(std::function<void()> onTick) : onTick_(std::move(onTick)) {}
  void SetInterval(int ms) override { interval_ = ms; }
  int Interval() const override { return interval_; }
  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  bool Enabled() const override { return enabled_; }
  // Runs the tick as the real timer would: only while enabled.
  void Fire() {
    if (enabled_) onTick_();
  }

 private:
  std::function<void()> onTick_;
  int interval_ = 0;
  bool enabled_ = false;
};

class FakeTimerFactory : public TimerFactory {
 public:
  std::unique_ptr<Timer> CreateTimer(std::function<void()> onTick) override {
    auto timer = std::make_unique<FakeTimer>(std::move(onTick));
    created.push_back(timer.get());
    return timer;
  }
  // Every timer made, in order of creation (owned by whoever asked for it).
  std::vector<FakeTimer*> created;
};

}  // namespace marvessa::test
