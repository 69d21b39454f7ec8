#pragma once

#include <array>
#include <cstdint>

#include "forms/geometry.h"

// The skin of the skinning layer, a part of the splash window's design: the four colours that
// skinning reads (1 buttons and list backgrounds, 2 list text, 3 picture boxes, 4 unused) and the
// operation that skins one window. This build ships no skin art, so the colours are the desktop's
// own and skinning a window leaves its look as it is.
class SkinControl {
  public:
    std::array<forms::Color, 4> Colors() const { return colors_; }
    void ApplySkin(std::int32_t /*windowHandle*/) const {}

  private:
    std::array<forms::Color, 4> colors_ = {
        forms::system_color::ButtonFace, forms::system_color::WindowText,
        forms::system_color::ButtonFace, forms::system_color::ButtonFace};
};
