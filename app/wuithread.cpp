#include "app/wuithread.h"

#include <QCoreApplication>
#include <QThread>
#include <exception>

#include "base/wdialogs.h"

namespace marvessa {

bool QtUiThread::IsUiThread() const { return QThread::currentThread() == QCoreApplication::instance()->thread(); }

void QtUiThread::Invoke(const std::function<void()>& task) {
  if (IsUiThread()) {
    task();
    return;
  }
  std::exception_ptr error;
  QMetaObject::invokeMethod(
      QCoreApplication::instance(),
      [&] {
        try {
          task();
        } catch (...) {
          error = std::current_exception();
        }
      },
      Qt::BlockingQueuedConnection);
  if (error) std::rethrow_exception(error);
}

void QtUiThread::Post(std::function<void()> task) {
  QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(task), Qt::QueuedConnection);
}

void QtUiThread::PumpEvents() { QCoreApplication::processEvents(); }

void QtUiThread::WaitForEvents(int ms) {
  QTimer wake;
  wake.setSingleShot(true);
  wake.start(ms);
  QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

QtTimer::QtTimer(std::function<void()> onTick) {
  QObject::connect(&timer_, &QTimer::timeout, std::move(onTick));
}

void QtTimer::SetEnabled(bool enabled) {
  if (enabled && !timer_.isActive()) timer_.start();
  if (!enabled) timer_.stop();
}

std::unique_ptr<Timer> QtTimerFactory::CreateTimer(std::function<void()> onTick) {
  return std::make_unique<QtTimer>([this, tick = std::move(onTick)] { RunGuarded(errors_, tick); });
}

}  // namespace marvessa
