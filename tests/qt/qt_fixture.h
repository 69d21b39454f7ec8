#pragma once

#include <gtest/gtest.h>

#include <QWidget>
#include <chrono>
#include <functional>

#include "control_widget.h"
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
    W& WidgetOf(const forms::Control& control) {
        return frontend_test::WidgetOf<W>(host.renderer(), control);
    }

    frontend::QtHost host;

  private:
    forms::ScopedHost installed_{host};
};
