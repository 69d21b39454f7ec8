#pragma once

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPoint>

namespace frontend {

// A mouse event as the model's mouse events take it: the button (pressed or released, or held
// during a move) and shift masks, and the position in the form's unit.
struct MouseInput {
    int button = 0;
    int shift = 0;
    double x = 0;
    double y = 0;
};

MouseInput ToMouseInput(const QMouseEvent& event, QPoint position, double twipsPerUnit);

// A key event as the model's key events take it: the key code (forms::key) and the shift mask; a
// key without a code of its own gives 0.
struct KeyInput {
    int keyCode = 0;
    int shift = 0;
};

KeyInput ToKeyInput(const QKeyEvent& event);

}  // namespace frontend
