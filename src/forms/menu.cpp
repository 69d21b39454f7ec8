#include "forms/menu.h"

namespace forms {

Menu::Menu(Form& form, std::string name, std::optional<int> index)
    : CaptionedControl(form, ControlKind::Menu, std::move(name), index) {}

void Menu::SetChecked(bool checked) {
    Update(checked_, checked, Property::Checked);
}

void Menu::Click() {
    RaiseIfEnabled(OnClick);
}

bool Menu::CanContain(const Control& child) const {
    return child.Kind() == ControlKind::Menu;
}

void Menu::CopyPropertiesFrom(const Control& source) {
    CaptionedControl::CopyPropertiesFrom(source);
    checked_ = static_cast<const Menu&>(source).checked_;
}

}  // namespace forms
