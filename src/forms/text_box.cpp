#include "forms/text_box.h"

namespace forms {

TextBox::TextBox(Form& form, std::string name, std::optional<int> index)
    : Control(form, ControlKind::TextBox, std::move(name), index) {
    SetBackColor(system_color::WindowBackground);
    SetForeColor(system_color::WindowText);
}

void TextBox::SetText(const std::string& text) {
    if (Update(text_, text, Property::Text)) {
        OnChange.Raise();
    }
}

void TextBox::SetMultiLine(bool multiLine) {
    Update(props_.multiLine, multiLine, Property::MultiLine);
}

void TextBox::SetLocked(bool locked) {
    Update(props_.locked, locked, Property::Locked);
}

void TextBox::SetScrollBars(forms::ScrollBars scrollBars) {
    Update(props_.scrollBars, scrollBars, Property::ScrollBars);
}

int TextBox::KeyPress(int keyAscii) {
    if (!Enabled()) {
        return 0;
    }
    OnKeyPress.Raise(keyAscii);
    return keyAscii;
}

void TextBox::CopyPropertiesFrom(const Control& source) {
    Control::CopyPropertiesFrom(source);
    props_ = static_cast<const TextBox&>(source).props_;
    text_ = static_cast<const TextBox&>(source).text_;
}

}  // namespace forms
