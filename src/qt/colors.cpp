#include "qt/colors.h"

namespace frontend {
namespace {

// The desktop scheme's colours by their classic index.
QPalette::ColorRole SchemeRole(int index) {
    switch (index) {
        case 5:  // window background
            return QPalette::Base;
        case 8:  // window text
            return QPalette::Text;
        case 13:  // highlight
            return QPalette::Highlight;
        case 14:  // highlighted text
            return QPalette::HighlightedText;
        case 17:  // grey text
            return QPalette::PlaceholderText;
        case 18:  // button text
        case 7:   // menu text
        case 9:   // caption text
            return QPalette::ButtonText;
        case 24:  // tooltip background
            return QPalette::ToolTipBase;
        case 23:  // tooltip text
            return QPalette::ToolTipText;
        default:  // button face, menus, window frames and the rest
            return QPalette::Button;
    }
}

}  // namespace

QColor ToQColor(forms::Color color, const QPalette& palette) {
    if (IsSchemeColor(color)) {
        return palette.color(QPalette::Active, SchemeRole(static_cast<int>(color & 0xFF)));
    }
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

}  // namespace frontend
