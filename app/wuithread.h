// The Qt event loop as the core's UI thread, and Qt timers behind the core's timer interface.
#pragma once

#include <QObject>
#include <QTimer>

#include "base/umessages.h"
#include "base/utimer.h"
#include "base/uuithread.h"

namespace marvessa {

// Hand-overs run on the thread of the application object; a blocking hand-over waits until it
// has run there.
class QtUiThread : public UiThread {
 public:
  void Invoke(const std::function<void()>& task) override;
  void Post(std::function<void()> task) override;
  void PumpEvents() override;
  void WaitForEvents(int ms) override;
  bool IsUiThread() const override;
};

class QtTimer : public Timer {
 public:
  explicit QtTimer(std::function<void()> onTick);
  void SetInterval(int ms) override { timer_.setInterval(ms); }
  int Interval() const override { return timer_.interval(); }
  void SetEnabled(bool enabled) override;
  bool Enabled() const override { return timer_.isActive(); }

 private:
  QTimer timer_;
};

// Every tick runs guarded: an error escaping it is shown in one of these message boxes.
class QtTimerFactory : public TimerFactory {
 public:
  explicit QtTimerFactory(MessageBoxes& errors) : errors_(errors) {}
  std::unique_ptr<Timer> CreateTimer(std::function<void()> onTick) override;

 private:
  MessageBoxes& errors_;
};

}  // namespace marvessa
