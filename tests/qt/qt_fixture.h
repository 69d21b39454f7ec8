#pragma once

#include <gtest/gtest.h>

#include <QWidget>
#include <chrono>
#include <functional>

#include "forms/form.h"
#include "forms/host.h"
#include "qt/form_window.h"
#include "qt/qt_host.h"

// A fixture for front-end tests: the Qt host installed (on the offscreen platform), every window
// destroyed afterwards, and a failure escaping a handler fails the test instead of ending it.
class QtHostTest : public ::testing::Test {
  protected:
    QtHostTest();
    ~QtHostTest() override;

    // Lets the event loop run pending events (as the outermost loop does).
    void ProcessEvents();
    // Runs the event loop until the condition holds; false when it still does not after the time.
    bool RunUntil(const std::function<bool()>& condition,
                  std::chrono::milliseconds limit = std::chrono::seconds(5));

    frontend::FormWindow& WindowOf(const forms::Form& form);
    // The widget showing a control, as its Qt type.
    template <class W>
    W& WidgetOf(const forms::Control& control);

    frontend::QtHost host;

  private:
    forms::ScopedHost installed_{host};
};

template <class W>
W& QtHostTest::WidgetOf(const forms::Control& control) {
    frontend::ControlView* view = WindowOf(control.Parent()).ViewOf(control);
    if (view == nullptr) {
        throw std::logic_error("no view for " + control.Name());
    }
    auto* widget = dynamic_cast<W*>(view->widget());
    if (widget == nullptr) {
        // Some controls are shown by a widget inside a box of the control's size.
        widget = view->widget()->findChild<W*>();
    }
    if (widget == nullptr) {
        throw std::logic_error(control.Name() + " is not shown by the widget type asked for");
    }
    return *widget;
}
