// A search worker as the run controller sees it, and the factory that makes one per slot.
#pragma once

#include <functional>
#include <memory>

namespace marvessa {

class SearchWorker {
 public:
  virtual ~SearchWorker() = default;
  // Sets the stop flag and cuts the fetch in progress; the worker then ends on its own.
  virtual void StopWorker() = 0;
  // One minute tick of the watchdog: after more than limitMinutes ticks since the current fetch
  // began, the fetch is cut and the worker moves on to its next URL.
  virtual void CheckWorkerTimeout(int limitMinutes) = 0;
  // Waits for the thread to end (it has posted its finished notification by then).
  virtual void Join() = 0;
};

class SearchWorkerFactory {
 public:
  virtual ~SearchWorkerFactory() = default;
  // Starts a worker in slot 1..48; finished(slot) is posted to the UI thread as its last act.
  // Throws when the worker cannot be created.
  virtual std::unique_ptr<SearchWorker> CreateWorker(int slot, bool engineMode, std::function<void(int)> finished) = 0;
};

}  // namespace marvessa
