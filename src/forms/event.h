#pragma once

#include <functional>
#include <utility>

namespace forms {

// One event of a control, with at most one handler, as a window's handler procedures are wired:
//     cmdStop.OnClick = [this] { cmdStop_Click(); };
// Arguments passed by reference (a cancel flag, a key code) let the handler answer the control.
template <class... Args>
class Event {
  public:
    Event& operator=(std::function<void(Args...)> handler) {
        handler_ = std::move(handler);
        return *this;
    }

    explicit operator bool() const { return static_cast<bool>(handler_); }

    // Runs the handler, if any. The control raises its events itself; a front end goes through the
    // control's input methods (Click(), MouseMove(), ...), which apply the control's rules first.
    void Raise(Args... args) const {
        if (handler_) {
            auto handler = handler_;  // the handler may rewire the event while it runs
            handler(std::forward<Args>(args)...);
        }
    }

  private:
    std::function<void(Args...)> handler_;
};

}  // namespace forms
