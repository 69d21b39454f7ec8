#pragma once

#include "forms/geometry.h"

// Design measures of the main window shared by its design files, in twips. The panel rectangle is
// the one the resize layout gives at the design size, so the first showing moves nothing.
namespace main_design {

inline constexpr double kWindowWidth = 11000;
inline constexpr double kWindowHeight = 8000;

// The row along the top and the side column of panel buttons.
inline constexpr double kMargin = 120;
inline constexpr double kTopRowHeight = 375;
inline constexpr double kSideWidth = 1815;

// The four stacked panels: 120 right of the side column, 120 below the top row, 240 short of the
// window's right edge and 960 short of its bottom edge (which leaves room for the border, title
// and menu bar).
inline constexpr double kPanelLeft = kMargin + kSideWidth + 120;
inline constexpr double kPanelTop = kMargin + kTopRowHeight + 120;
inline constexpr double kPanelWidth = kWindowWidth - kPanelLeft - 240;
inline constexpr double kPanelHeight = kWindowHeight - kPanelTop - 960;

// Inside a panel: a 240 margin at both sides.
inline constexpr double kInset = 240;
inline constexpr double kInnerWidth = kPanelWidth - 2 * kInset;

// The option pages inside the tab strip, which fills the options panel.
inline constexpr double kPageWidth = kPanelWidth - 240;
inline constexpr double kPageHeight = kPanelHeight - 420;

// Common control heights: a text line, a button, a text box or combo box.
inline constexpr double kLineHeight = 255;
inline constexpr double kButtonHeight = 420;
inline constexpr double kFieldHeight = 315;

// Labels that act as commands read like links.
inline constexpr forms::Color kLinkColor = forms::Rgb(0, 51, 153);

}  // namespace main_design
