#include "qt/mouse_input.h"

#include "forms/geometry.h"
#include "qt/units.h"

namespace frontend {
namespace {

int ButtonMask(Qt::MouseButtons buttons) {
    int mask = 0;
    if (buttons & Qt::LeftButton) {
        mask |= forms::mouse::LeftButton;
    }
    if (buttons & Qt::RightButton) {
        mask |= forms::mouse::RightButton;
    }
    if (buttons & Qt::MiddleButton) {
        mask |= forms::mouse::MiddleButton;
    }
    return mask;
}

int ShiftMask(Qt::KeyboardModifiers modifiers) {
    int mask = 0;
    if (modifiers & Qt::ShiftModifier) {
        mask |= forms::mouse::ShiftKey;
    }
    if (modifiers & Qt::ControlModifier) {
        mask |= forms::mouse::CtrlKey;
    }
    if (modifiers & Qt::AltModifier) {
        mask |= forms::mouse::AltKey;
    }
    return mask;
}

}  // namespace

MouseInput ToMouseInput(const QMouseEvent& event, QPoint position, double twipsPerUnit) {
    const bool move = event.type() == QEvent::MouseMove;
    return MouseInput{ButtonMask(move ? event.buttons() : Qt::MouseButtons(event.button())),
                      ShiftMask(event.modifiers()), FromPixels(position.x(), twipsPerUnit),
                      FromPixels(position.y(), twipsPerUnit)};
}

}  // namespace frontend
