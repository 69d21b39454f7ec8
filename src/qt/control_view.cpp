#include "qt/control_view.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QStyle>

#include "forms/form.h"
#include "qt/colors.h"
#include "qt/fonts.h"
#include "qt/mouse_input.h"
#include "qt/unhandled_errors.h"
#include "qt/units.h"

namespace frontend {

ControlView::ControlView(forms::Control& control, QWidget* widget)
    : control_(control), widget_(widget) {
    widget_->setObjectName(QString::fromStdString(control.Name()));
    // Mouse input over a control is the control's alone, never also its container's or form's.
    widget_->setAttribute(Qt::WA_NoMousePropagation);
    ForwardMouseFrom(widget_);
}

// The view goes only when no handler of its window runs (deferred deletion), so its widget can go
// with it.
ControlView::~ControlView() {
    delete widget_;
}

double ControlView::TwipsPerUnit() const {
    return control_.Parent().TwipsPerUnit();
}

void ControlView::ApplyAll() {
    ApplyGeometry();
    widget_->setVisible(control_.Visible());
    widget_->setEnabled(control_.Enabled());
    widget_->setFont(ToQFont(control_.Font()));
    widget_->setToolTip(QString::fromStdString(control_.ToolTipText()));
    ApplyColors();
    ApplyAllOwn();
    ApplyTabStop();
}

// A control out of the Tab order still takes the keyboard when clicked.
void ControlView::ApplyTabStop() {
    if (!ownFocusPolicy_) {
        ownFocusPolicy_ = widget_->focusPolicy();
    }
    const Qt::FocusPolicy own = *ownFocusPolicy_;
    const bool clickable = (own & Qt::ClickFocus) == Qt::ClickFocus;
    widget_->setFocusPolicy(control_.TabStop() || !(own & Qt::TabFocus)
                                ? own
                                : (clickable ? Qt::ClickFocus : Qt::NoFocus));
}

void ControlView::Apply(const forms::Change& change) {
    using forms::Property;
    switch (change.property) {
        case Property::Left:
        case Property::Top:
        case Property::Width:
        case Property::Height:
            ApplyGeometry();
            break;
        case Property::Visible:
            widget_->setVisible(control_.Visible());
            break;
        case Property::Enabled:
            widget_->setEnabled(control_.Enabled());
            break;
        case Property::Font:
            widget_->setFont(ToQFont(control_.Font()));
            break;
        case Property::BackColor:
        case Property::ForeColor:
            ApplyColors();
            break;
        case Property::ToolTipText:
            widget_->setToolTip(QString::fromStdString(control_.ToolTipText()));
            break;
        case Property::TabStop:
            ApplyTabStop();
            break;
        default:
            ApplyOwn(change.property, change.item);
            break;
    }
}

void ControlView::ApplyGeometry() {
    const double unit = TwipsPerUnit();
    widget_->setGeometry(ToPixels(control_.Left(), unit), ToPixels(control_.Top(), unit),
                         ToPixels(control_.Width(), unit), ToPixels(control_.Height(), unit));
}

// A control in the desktop scheme's colours lets its container show through around what it draws;
// one given a colour of its own fills with it. A disabled control writes in the desktop's grey,
// whatever its fore colour, so that it never looks as usable as an enabled one.
void ControlView::ApplyColors() {
    widget_->setAutoFillBackground(!IsSchemeColor(control_.BackColor()));
    QPalette palette = widget_->palette();
    const QPalette standard = widget_->style()->standardPalette();
    const QColor back = ToQColor(control_.BackColor(), standard);
    const QColor fore = ToQColor(control_.ForeColor(), standard);
    for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button}) {
        palette.setColor(role, back);
    }
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(QPalette::Active, role, fore);
        palette.setColor(QPalette::Inactive, role, fore);
        palette.setColor(QPalette::Disabled, role, standard.color(QPalette::Disabled, role));
    }
    widget_->setPalette(palette);
}

void ControlView::RunUserAction(const std::function<void()>& action) {
    RunGuarded(action);
}

void ControlView::ForwardMouseFrom(QWidget* source) {
    source->setMouseTracking(true);
    source->installEventFilter(this);
}

// The widget takes the key first, so that KeyUp sees what the key did (Space has ticked a box).
bool ControlView::ForwardKeyRelease(QObject* watched, QKeyEvent& event) {
    if (event.isAutoRepeat()) {
        return false;
    }
    releasing_ = true;
    QCoreApplication::sendEvent(watched, &event);
    releasing_ = false;
    const KeyInput input = ToKeyInput(event);
    if (alive_ && input.keyCode != 0) {
        FromUser([&] { control_.KeyUp(input.keyCode, input.shift); });
    }
    return true;
}

bool ControlView::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type == QEvent::KeyRelease && !releasing_) {
        return ForwardKeyRelease(watched, *static_cast<QKeyEvent*>(event));
    }
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
        type != QEvent::MouseMove) {
        return QObject::eventFilter(watched, event);
    }
    if (releasing_) {
        return false;
    }
    auto* mouse = static_cast<QMouseEvent*>(event);
    auto* source = static_cast<QWidget*>(watched);
    if (type == QEvent::MouseButtonRelease) {
        // The widget takes the release first, so that MouseUp sees what the click did: a check
        // box has its new value by then.
        releasing_ = true;
        QCoreApplication::sendEvent(source, event);
        releasing_ = false;
        if (!alive_) {
            return true;
        }
    }
    const QPoint inControl = source->mapTo(widget_, mouse->position().toPoint());
    const MouseInput input = ToMouseInput(*mouse, inControl, TwipsPerUnit());
    FromUser([&] {
        if (type == QEvent::MouseButtonPress) {
            control_.MouseDown(input.button, input.shift, input.x, input.y);
        } else if (type == QEvent::MouseButtonRelease) {
            control_.MouseUp(input.button, input.shift, input.x, input.y);
        } else {
            control_.MouseMove(input.button, input.shift, input.x, input.y);
        }
    });
    // A release has been handled already; a window unloaded by the handler takes no further
    // part in the event.
    return type == QEvent::MouseButtonRelease || !alive_;
}

}  // namespace frontend
