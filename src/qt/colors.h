#pragma once

#include <QColor>
#include <QPalette>

#include "forms/geometry.h"

namespace frontend {

// The colour a model colour stands for: 0x00BBGGRR values as they are, desktop-scheme colours
// (top bit set) from the palette.
QColor ToQColor(forms::Color color, const QPalette& palette);

inline bool IsSchemeColor(forms::Color color) {
    return (color & forms::kSystemColorFlag) != 0;
}

}  // namespace frontend
