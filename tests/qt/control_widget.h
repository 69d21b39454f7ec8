#pragma once

#include <QWidget>
#include <stdexcept>

#include "forms/control.h"
#include "forms/form.h"
#include "qt/form_renderer.h"
#include "qt/form_window.h"

namespace frontend_test {

// The widget showing a control, as its Qt type: the control's own widget or, for controls shown by
// a widget inside a box of the control's size, the one inside.
template <class W = QWidget>
W& WidgetOf(const frontend::FormWindow& window, const forms::Control& control) {
    frontend::ControlView* view = window.ViewOf(control);
    if (view == nullptr) {
        throw std::logic_error("no view for " + control.Name());
    }
    auto* widget = dynamic_cast<W*>(view->widget());
    if (widget == nullptr) {
        widget = view->widget()->findChild<W*>();
    }
    if (widget == nullptr) {
        throw std::logic_error(control.Name() + " is not shown by the widget type asked for");
    }
    return *widget;
}

template <class W = QWidget>
W& WidgetOf(const frontend::FormRenderer& renderer, const forms::Control& control) {
    const frontend::FormWindow* window = renderer.WindowOf(control.Parent());
    if (window == nullptr) {
        throw std::logic_error("no window for " + control.Parent().Name());
    }
    return WidgetOf<W>(*window, control);
}

}  // namespace frontend_test
