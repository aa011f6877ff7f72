#include "base/uuithread.h"

#include <chrono>
#include <utility>
#include <exception>
#include <future>

namespace marvessa {

TaskQueueUiThread::TaskQueueUiThread() : owner_(std::this_thread::get_id()) {}

// Tasks still queued belong to threads that are gone or being torn down; dropping them is all
// that is left to do.
TaskQueueUiThread::~TaskQueueUiThread() = default;

bool TaskQueueUiThread::IsUiThread() const { return std::this_thread::get_id() == owner_; }

void TaskQueueUiThread::Invoke(const std::function<void()>& task) {
  if (IsUiThread()) {
    task();
    return;
  }
  std::promise<void> done;
  auto finished = done.get_future();
  Post([&task, &done] {
    try {
      task();
      done.set_value();
    } catch (...) {
      done.set_exception(std::current_exception());
    }
  });
  finished.get();
}

void TaskQueueUiThread::Post(std::function<void()> task) {
  {
    std::lock_guard lock(mutex_);
    tasks_.push_back(std::move(task));
  }
  arrived_.notify_one();
}

std::deque<std::function<void()>> TaskQueueUiThread::TakeAll() {
  std::lock_guard lock(mutex_);
  return std::exchange(tasks_, {});
}

void TaskQueueUiThread::PumpEvents() {
  for (auto& task : TakeAll()) task();
}

void TaskQueueUiThread::WaitForEvents(int ms) {
  {
    std::unique_lock lock(mutex_);
    arrived_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return !tasks_.empty(); });
  }
  PumpEvents();
}

}  // namespace marvessa
