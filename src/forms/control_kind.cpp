#include "forms/control_kind.h"

namespace forms {

std::string_view TypeName(ControlKind kind) {
    switch (kind) {
        case ControlKind::Label:
            return "Label";
        case ControlKind::SkinLabel:
            return "SkinLabel";
        case ControlKind::CommandButton:
            return "CommandButton";
        case ControlKind::CheckBox:
            return "CheckBox";
        case ControlKind::OptionButton:
            return "OptionButton";
        case ControlKind::Frame:
            return "Frame";
        case ControlKind::PictureBox:
            return "PictureBox";
        case ControlKind::Image:
            return "Image";
        case ControlKind::Shape:
            return "Shape";
        case ControlKind::TextBox:
            return "TextBox";
        case ControlKind::ComboBox:
            return "ComboBox";
        case ControlKind::ListBox:
            return "ListBox";
        case ControlKind::ListView:
            return "ListView";
        case ControlKind::TabStrip:
            return "TabStrip";
        case ControlKind::ProgressBar:
            return "ProgressBar";
        case ControlKind::Timer:
            return "Timer";
        case ControlKind::Menu:
            return "Menu";
        case ControlKind::DTPicker:
            return "DTPicker";
        case ControlKind::CommonDialog:
            return "CommonDialog";
        case ControlKind::StatusBar:
            return "StatusBar";
        case ControlKind::WebBrowser:
            return "WebBrowser";
    }
    return "Control";
}

}  // namespace forms
