#include "forms/timer.h"

#include "forms/errors.h"

namespace forms {

Timer::Timer(Form& form, std::string name, std::optional<int> index)
    : Control(form, ControlKind::Timer, std::move(name), index) {}

Timer::~Timer() {
    Stop();
}

void Timer::SetInterval(int milliseconds) {
    if (milliseconds < 0 || milliseconds > 65535) {
        throw InvalidPropertyValue("a timer interval is 0 to 65535 ms, not " +
                                   std::to_string(milliseconds));
    }
    if (Update(interval_, milliseconds, Property::Interval)) {
        Reschedule();
    }
}

void Timer::Tick() {
    if (ticking_ || !running_) {
        return;
    }
    ticking_ = true;
    try {
        OnTimer.Raise();
    } catch (...) {
        ticking_ = false;
        throw;
    }
    ticking_ = false;
}

void Timer::FormLoaded() {
    formLoaded_ = true;
    Reschedule();
}

void Timer::FormUnloading() {
    formLoaded_ = false;
    Stop();
}

void Timer::Reschedule() {
    Stop();
    if (formLoaded_ && Enabled() && interval_ > 0) {
        running_ = CurrentHost().StartTimer(interval_, [this] { Tick(); });
    }
}

void Timer::Stop() {
    if (running_) {
        if (HasHost()) {
            CurrentHost().StopTimer(*running_);
        }
        running_.reset();
    }
}

void Timer::CopyPropertiesFrom(const Control& source) {
    Control::CopyPropertiesFrom(source);
    interval_ = static_cast<const Timer&>(source).interval_;
}

}  // namespace forms
