#include <QCoreApplication>
#include <QDateTime>

#include "platform/host/host_services.h"

namespace kv::host {

HostClock::HostClock() = default;
HostClock::~HostClock() = default;

std::int64_t HostClock::now() const {
  return QDateTime::currentMSecsSinceEpoch();
}

Clock::TimerId HostClock::schedule(int intervalMs, std::function<void()> tick) {
  const TimerId id = next_++;
  auto timer = std::make_unique<QTimer>();
  timer->setInterval(intervalMs);
  timer->setTimerType(intervalMs < 100 ? Qt::PreciseTimer : Qt::CoarseTimer);
  QObject::connect(timer.get(), &QTimer::timeout, [tick = std::move(tick)] { tick(); });
  timer->start();
  timers_[id] = std::move(timer);
  return id;
}

void HostClock::cancel(TimerId id) {
  auto it = timers_.find(id);
  if (it == timers_.end()) return;
  // The tick being cancelled may be running right now: delete the timer later.
  it->second->stop();
  it->second.release()->deleteLater();
  timers_.erase(it);
}

void HostClock::post(std::function<void()> work) {
  QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(work), Qt::QueuedConnection);
}

void HostClock::doEvents() {
  QCoreApplication::processEvents();
}

}  // namespace kv::host
