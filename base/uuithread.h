// The user-interface thread as the core sees it: work handed over from other threads, and the
// event queue that long loops service.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace marvessa {

class UiThread {
 public:
  virtual ~UiThread() = default;
  // Runs task on the UI thread and returns once it has run. On the UI thread it runs at once.
  virtual void Invoke(const std::function<void()>& task) = 0;
  // Queues task to run on the UI thread later.
  virtual void Post(std::function<void()> task) = 0;
  // Services the event queue once: runs what is waiting, without waiting for more.
  virtual void PumpEvents() = 0;
  // Services the event queue, waiting up to ms milliseconds for something to arrive.
  virtual void WaitForEvents(int ms) = 0;
  virtual bool IsUiThread() const = 0;
};

// A task queue served by the thread that created it; used by the command-line front end and
// by tests.
class TaskQueueUiThread : public UiThread {
 public:
  TaskQueueUiThread();
  ~TaskQueueUiThread() override;

  void Invoke(const std::function<void()>& task) override;
  void Post(std::function<void()> task) override;
  void PumpEvents() override;
  void WaitForEvents(int ms) override;
  bool IsUiThread() const override;

 private:
  std::deque<std::function<void()>> TakeAll();

  const std::thread::id owner_;
  std::mutex mutex_;
  std::condition_variable arrived_;
  std::deque<std::function<void()>> tasks_;
};

}  // namespace marvessa
