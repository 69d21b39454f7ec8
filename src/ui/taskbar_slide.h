#pragma once

#include <cstdint>

#include "forms/geometry.h"

// Where a small window that slides up out of the taskbar at the lower right of the screen (the
// tray menu, the definitions notice) starts and where it comes to rest, in twips. The desktop's
// pixel measures become twips with fixed factors rather than the screen's own twips per pixel:
// these windows have always been placed this way.
struct TaskbarSlide {
    double startTop = 0;  // the screen's height less the taskbar's
    double left = 0;      // the window's inner area ends at the screen's right edge
    // the window's height and 100 above the screen's bottom, and never over the taskbar
    std::int32_t restingTop = 0;
};

// desktop and taskbar as the host reports them (an empty taskbar when there is none); the window's
// inner width in pixels and its outer height in twips.
TaskbarSlide PlanTaskbarSlide(const forms::PixelRect& desktop, const forms::PixelRect& taskbar,
                              double innerWidthPixels, double outerHeightTwips);
