// Timers of the user-interface thread. The core's tick handlers are plain methods; a front end
// makes real timers that call them, and tests make timers they fire by hand.
#pragma once

#include <functional>
#include <memory>

namespace marvessa {

class Timer {
 public:
  virtual ~Timer() = default;
  virtual void SetInterval(int ms) = 0;
  virtual int Interval() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Enabled() const = 0;
};

class TimerFactory {
 public:
  virtual ~TimerFactory() = default;
  // A disabled timer that runs onTick on the UI thread every interval while enabled.
  virtual std::unique_ptr<Timer> CreateTimer(std::function<void()> onTick) = 0;
};

}  // namespace marvessa
