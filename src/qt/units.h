#pragma once

#include <cmath>

#include "forms/geometry.h"

// Conversions between the model's units (twips, or pixels on pixel-scaled forms) and screen pixels.
namespace frontend {

// Pixels of a length given in a unit of `twipsPerUnit` twips (1 for twips, 15 for pixels).
inline int ToPixels(double length, double twipsPerUnit) {
    return static_cast<int>(std::lround(length * twipsPerUnit / forms::kTwipsPerPixel));
}

// The length in that unit of a number of pixels.
inline double FromPixels(int pixels, double twipsPerUnit) {
    return pixels * static_cast<double>(forms::kTwipsPerPixel) / twipsPerUnit;
}

inline int TwipsToPixels(double twips) {
    return ToPixels(twips, 1);
}

inline double PixelsToTwips(int pixels) {
    return FromPixels(pixels, 1);
}

}  // namespace frontend
