#pragma once

#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "forms/host.h"

namespace frontend {

// The host's timers on Qt timers, which tick in every event loop of the thread (nested ones too)
// and never queue up: ticks missed while the thread was busy come as one.
class HostTimers {
  public:
    HostTimers() = default;
    HostTimers(const HostTimers&) = delete;
    HostTimers& operator=(const HostTimers&) = delete;

    forms::TimerId Start(int intervalMs, std::function<void()> onTick);
    // Stopping an unknown or stopped timer does nothing.
    void Stop(forms::TimerId id);
    std::size_t RunningCount() const { return running_.size(); }

  private:
    // A stopped Qt timer is kept for the next start rather than deleted: it may be stopped from
    // inside its own tick.
    std::map<forms::TimerId, std::unique_ptr<QTimer>> running_;
    std::vector<std::unique_ptr<QTimer>> idle_;
    forms::TimerId nextId_ = 1;
};

}  // namespace frontend
