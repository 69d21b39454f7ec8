#include "forms/buttons.h"

#include "forms/errors.h"
#include "forms/form.h"

namespace forms {
namespace {

// Clears `flag` of every other command button of the form.
template <class Getter, class Setter>
void TakeFromOthers(CommandButton& self, Getter has, Setter clear) {
    for (Control* control : self.Parent().Controls()) {
        auto* button = dynamic_cast<CommandButton*>(control);
        if (button != nullptr && button != &self && (button->*has)()) {
            (button->*clear)(false);
        }
    }
}

}  // namespace

CommandButton::CommandButton(Form& form, std::string name, std::optional<int> index)
    : CaptionedControl(form, ControlKind::CommandButton, std::move(name), index) {}

void CommandButton::SetStyle(forms::ButtonStyle style) {
    Update(props_.style, style, Property::ButtonStyle);
}

void CommandButton::SetPicture(const ImageId& picture) {
    Update(props_.picture, picture, Property::Picture);
}

void CommandButton::SetDefault(bool isDefault) {
    if (isDefault) {
        TakeFromOthers(*this, &CommandButton::Default, &CommandButton::SetDefault);
    }
    Update(props_.isDefault, isDefault, Property::Default);
}

void CommandButton::SetCancel(bool isCancel) {
    if (isCancel) {
        TakeFromOthers(*this, &CommandButton::Cancel, &CommandButton::SetCancel);
    }
    Update(props_.isCancel, isCancel, Property::Cancel);
}

void CommandButton::Click() {
    RaiseIfEnabled(OnClick);
}

void CommandButton::CopyPropertiesFrom(const Control& source) {
    CaptionedControl::CopyPropertiesFrom(source);
    props_ = static_cast<const CommandButton&>(source).props_;
    props_.isDefault = false;  // still one default and one cancel button per form
    props_.isCancel = false;
}

CheckBox::CheckBox(Form& form, std::string name, std::optional<int> index)
    : CaptionedControl(form, ControlKind::CheckBox, std::move(name), index) {}

void CheckBox::SetValue(int value) {
    if (value != kUnchecked && value != kChecked && value != kGrayed) {
        throw InvalidPropertyValue("a check box value is 0, 1 or 2, not " + std::to_string(value));
    }
    if (Update(value_, value, Property::Value)) {
        OnClick.Raise();
    }
}

void CheckBox::Click() {
    if (Enabled()) {
        SetValue(value_ == kUnchecked ? kChecked : kUnchecked);
    }
}

void CheckBox::CopyPropertiesFrom(const Control& source) {
    CaptionedControl::CopyPropertiesFrom(source);
    value_ = static_cast<const CheckBox&>(source).value_;
}

OptionButton::OptionButton(Form& form, std::string name, std::optional<int> index)
    : CaptionedControl(form, ControlKind::OptionButton, std::move(name), index) {}

void OptionButton::SetValue(bool value) {
    if (!Update(value_, value, Property::Value)) {
        return;
    }
    if (value) {
        ClearGroupPartners();
        OnClick.Raise();
    }
}

void OptionButton::ClearGroupPartners() {
    for (Control* control : Parent().Controls()) {
        auto* partner = dynamic_cast<OptionButton*>(control);
        if (partner != nullptr && partner != this && partner->Container() == Container()) {
            partner->Update(partner->value_, false, Property::Value);
        }
    }
}

void OptionButton::Click() {
    if (Enabled()) {
        SetValue(true);
    }
}

void OptionButton::CopyPropertiesFrom(const Control& source) {
    CaptionedControl::CopyPropertiesFrom(source);
    value_ = false;  // a new element never takes the selection from its group
}

}  // namespace forms
