#pragma once

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

}  // namespace frontend
