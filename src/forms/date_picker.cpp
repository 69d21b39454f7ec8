#include "forms/date_picker.h"

namespace forms {

DTPicker::DTPicker(Form& form, std::string name, std::optional<int> index)
    : Control(form, ControlKind::DTPicker, std::move(name), index) {}

void DTPicker::SetValue(const std::optional<platform::DateTime>& value) {
    Update(props_.value, value, Property::Value);
}

void DTPicker::SetFormat(forms::DateFormat format) {
    Update(props_.format, format, Property::DateFormat);
}

void DTPicker::SetCustomFormat(const std::string& format) {
    Update(props_.customFormat, format, Property::CustomFormat);
}

void DTPicker::UserSetValue(const std::optional<platform::DateTime>& value) {
    if (Enabled() && Update(props_.value, value, Property::Value)) {
        OnChange.Raise();
    }
}

void DTPicker::Click() {
    RaiseIfEnabled(OnClick);
}

void DTPicker::CopyPropertiesFrom(const Control& source) {
    Control::CopyPropertiesFrom(source);
    props_ = static_cast<const DTPicker&>(source).props_;
}

}  // namespace forms
