#pragma once

#include <optional>
#include <string>

#include "forms/control.h"
#include "forms/host.h"

namespace forms {

// Raises Timer every Interval milliseconds while it is enabled, its interval is above 0 and its
// window is loaded; the host schedules the ticks. A tick that comes while the previous Timer event
// of the same timer still runs (it yields to the loop) is dropped: ticks never nest. Switching the
// timer on, or changing its interval, starts a fresh interval.
class Timer final : public Control {
  public:
    Timer(Form& form, std::string name, std::optional<int> index = std::nullopt);
    ~Timer() override;

    int Interval() const { return interval_; }
    // Milliseconds, 0 to 65535 (else InvalidPropertyValue); 0 stops the ticks.
    void SetInterval(int milliseconds);

    Event<> OnTimer;
    // One tick, from the host.
    void Tick();
    // Whether the host is currently asked for ticks.
    bool IsRunning() const { return running_.has_value(); }

    void Accept(ControlVisitor& visitor) override { visitor.Visit(*this); }

  protected:
    void CopyPropertiesFrom(const Control& source) override;
    void EnabledChanged() override { Reschedule(); }
    void FormLoaded() override;
    void FormUnloading() override;

  private:
    void Reschedule();
    void Stop();

    int interval_ = 0;
    bool formLoaded_ = false;
    bool ticking_ = false;
    std::optional<TimerId> running_;
};

}  // namespace forms
