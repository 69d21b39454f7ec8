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
    using Colors = std::array<forms::Color, 4>;

    SkinControl() = default;
    explicit SkinControl(const Colors& colors) : colors_(colors) {}

    // Colour n (1 to 4) is element n - 1.
    const Colors& SkinColors() const { return colors_; }
    void ApplySkin(std::int32_t /*windowHandle*/) const {}

  private:
    Colors colors_ = {forms::system_color::ButtonFace, forms::system_color::WindowText,
                      forms::system_color::ButtonFace, forms::system_color::ButtonFace};
};
