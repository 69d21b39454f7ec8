#include "ui/taskbar_slide.h"

#include <cmath>

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
    slide.restingTop = static_cast<std::int32_t>(
        WholeTwips(desktopHeight - (outerHeightTwips + kGapAboveScreenBottom)));
    return slide;
}
