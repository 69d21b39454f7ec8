#pragma once

#include <cstdint>
#include <string>

// Units, colours, fonts and pictures shared by forms and controls.
namespace forms {

// Positions and sizes are in twips, 1/1440 inch: 15 twips make one pixel at 96 dots per inch.
inline constexpr int kTwipsPerPixel = 15;

// The unit of a form's inner coordinates (and so of its controls' positions).
enum class ScaleMode { Twips = 1, Pixels = 3 };

// A rectangle in pixels; right and bottom are exclusive. An empty rectangle (no area) stands for
// "nothing there", for instance no taskbar.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool operator==(const PixelRect&) const = default;
};

// Colours as 0x00BBGGRR; values with the top bit set name a colour of the desktop's scheme by its
// index in the low byte, which the front end resolves.
using Color = std::uint32_t;
inline constexpr Color kSystemColorFlag = 0x80000000u;
namespace system_color {
inline constexpr Color WindowBackground = 0x80000005u;
inline constexpr Color WindowText = 0x80000008u;
inline constexpr Color ButtonFace = 0x8000000Fu;
inline constexpr Color ButtonText = 0x80000012u;
}  // namespace system_color

inline constexpr Color Rgb(int red, int green, int blue) {
    return static_cast<Color>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

struct FontStyle {
    std::string name = "MS Sans Serif";
    double size = 8.25;  // points
    bool bold = false;
    bool italic = false;
    bool operator==(const FontStyle&) const = default;
};

// A picture or icon, named by the identifier the front end resolves ("" = none). Copying the
// identifier between forms is how a window takes another window's icon.
using ImageId = std::string;

// Mouse buttons and shift keys of mouse events, as bit masks.
namespace mouse {
inline constexpr int LeftButton = 1;
inline constexpr int RightButton = 2;
inline constexpr int MiddleButton = 4;
inline constexpr int ShiftKey = 1;
inline constexpr int CtrlKey = 2;
inline constexpr int AltKey = 4;
}  // namespace mouse

// Key codes of key events: the desktop's virtual-key numbers (letters and digits are their
// upper-case character codes). These few are also the character codes KeyPress takes for them.
namespace key {
inline constexpr int Backspace = 8;
inline constexpr int Return = 13;
inline constexpr int Escape = 27;
inline constexpr int Space = 32;
}  // namespace key

}  // namespace forms
