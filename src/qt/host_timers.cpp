#include "qt/host_timers.h"

#include <algorithm>

#include "qt/unhandled_errors.h"

namespace frontend {

forms::TimerId HostTimers::Start(int intervalMs, std::function<void()> onTick) {
    std::unique_ptr<QTimer> timer;
    if (idle_.empty()) {
        timer = std::make_unique<QTimer>();
    } else {
        timer = std::move(idle_.back());
        idle_.pop_back();
    }
    const int interval = std::max(intervalMs, 1);
    timer->setTimerType(interval < 100 ? Qt::PreciseTimer : Qt::CoarseTimer);
    timer->setInterval(interval);
    QObject::connect(timer.get(), &QTimer::timeout, timer.get(),
                     [tick = std::move(onTick)] { RunGuarded(tick); });
    timer->start();
    const forms::TimerId id = nextId_++;
    running_.emplace(id, std::move(timer));
    return id;
}

void HostTimers::Stop(forms::TimerId id) {
    auto found = running_.find(id);
    if (found == running_.end()) {
        return;
    }
    std::unique_ptr<QTimer> timer = std::move(found->second);
    running_.erase(found);
    timer->stop();
    QObject::disconnect(timer.get(), &QTimer::timeout, nullptr, nullptr);
    idle_.push_back(std::move(timer));
}

}  // namespace frontend
