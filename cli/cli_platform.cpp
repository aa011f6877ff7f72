#include "cli/cli_platform.h"

#include <algorithm>

namespace marvessa::cli {

LoopTimer::LoopTimer(LoopTimerFactory& factory, std::function<void()> onTick)
    : factory_(factory), onTick_(std::move(onTick)) {
  factory_.timers_.push_back(this);
}

LoopTimer::~LoopTimer() { std::erase(factory_.timers_, this); }

void LoopTimer::SetEnabled(bool enabled) {
  if (enabled && !enabled_) due_ = std::chrono::steady_clock::now() + std::chrono::milliseconds(interval_);
  enabled_ = enabled;
}

void LoopTimer::FireIfDue(std::chrono::steady_clock::time_point now) {
  if (!enabled_ || now < due_) return;
  due_ = now + std::chrono::milliseconds(interval_);
  onTick_();
}

std::unique_ptr<Timer> LoopTimerFactory::CreateTimer(std::function<void()> onTick) {
  return std::make_unique<LoopTimer>(*this, std::move(onTick));
}

void LoopTimerFactory::FireDue() {
  const auto now = std::chrono::steady_clock::now();
  // A tick may create or destroy timers; fire over a copy and skip the ones that went away.
  const std::vector<LoopTimer*> timers = timers_;
  for (LoopTimer* t : timers)
    if (std::find(timers_.begin(), timers_.end(), t) != timers_.end()) t->FireIfDue(now);
}

}  // namespace marvessa::cli
