#include "ui/taskbar_slide.h"

#include <algorithm>
#include <cmath>

#include "forms/geometry.h"

namespace {

constexpr double kHeightTwipsPerPixel = 14.5;
constexpr double kLeftTwipsPerPixel = 14.7;
constexpr double kGapAboveScreenBottom = 100;

// Rounds half to even, as the conversion of measures to whole twips does.
double WholeTwips(double twips) {
    return std::nearbyint(twips);
}

}  // namespace

TaskbarSlide PlanTaskbarSlide(const forms::PixelRect& desktop, const forms::PixelRect& taskbar,
                              double innerWidthPixels, double outerHeightTwips) {
    // No taskbar: an empty rectangle, no height.
    const double taskbarHeight = WholeTwips(taskbar.Height() * kHeightTwipsPerPixel);
    const double desktopHeight = WholeTwips(desktop.Height() * kHeightTwipsPerPixel);
    TaskbarSlide slide;
    slide.startTop = desktopHeight - taskbarHeight;
    slide.left = (desktop.Width() - innerWidthPixels) * kLeftTwipsPerPixel;
    // The fixed factors put the rest a little higher than the gap says, but on a screen with a tall
    // taskbar it could still cover part of the taskbar: the window then rests on the taskbar.
    const bool taskbarAtBottom = !taskbar.IsEmpty() && taskbar.top > desktop.top;
    const double workBottom =
        (taskbarAtBottom ? taskbar.top : desktop.bottom) * forms::kTwipsPerPixel;
    const double lowestRest = std::floor(workBottom - outerHeightTwips);
    slide.restingTop = static_cast<std::int32_t>(std::min(
        WholeTwips(desktopHeight - (outerHeightTwips + kGapAboveScreenBottom)), lowestRest));
    return slide;
}
