#pragma once

#include <QRect>

#include "forms/geometry.h"

namespace frontend {

// The taskbar is what the desktop keeps of the screen for itself: the strip between the screen's
// geometry and its available area, along the edge where they differ. No difference, no taskbar
// (an empty rectangle).
forms::PixelRect TaskbarOf(const QRect& screen, const QRect& available);

forms::PixelRect ToPixelRect(const QRect& rect);

}  // namespace frontend
