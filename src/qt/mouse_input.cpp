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

// Letters, digits and the blank share their codes with Qt's keys.
int KeyCodeOf(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return forms::key::Return;
        case Qt::Key_Escape:
            return forms::key::Escape;
        default:
            break;
    }
    const bool letter = qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z;
    const bool digit = qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9;
    return letter || digit || qtKey == Qt::Key_Space ? qtKey : 0;
}

}  // namespace

KeyInput ToKeyInput(const QKeyEvent& event) {
    return KeyInput{KeyCodeOf(event.key()), ShiftMask(event.modifiers())};
}

MouseInput ToMouseInput(const QMouseEvent& event, QPoint position, double twipsPerUnit) {
    const bool move = event.type() == QEvent::MouseMove;
    return MouseInput{ButtonMask(move ? event.buttons() : Qt::MouseButtons(event.button())),
                      ShiftMask(event.modifiers()), FromPixels(position.x(), twipsPerUnit),
                      FromPixels(position.y(), twipsPerUnit)};
}

}  // namespace frontend
