#include "forms/common_dialog.h"

#include "forms/errors.h"
#include "forms/host.h"

namespace forms {

CommonDialog::CommonDialog(Form& form, std::string name, std::optional<int> index)
    : Control(form, ControlKind::CommonDialog, std::move(name), index) {}

void CommonDialog::SetDialogTitle(const std::string& title) {
    Update(props_.title, title, Property::Caption);
}

void CommonDialog::SetFilter(const std::string& filter) {
    Update(props_.filter, filter, Property::Text);
}

void CommonDialog::SetInitDir(const std::string& folder) {
    Update(props_.initDir, folder, Property::Text);
}

void CommonDialog::SetFileName(const std::string& fileName) {
    Update(props_.fileName, fileName, Property::Text);
}

void CommonDialog::SetCancelError(bool cancelError) {
    props_.cancelError = cancelError;
}

void CommonDialog::ShowOpen() {
    const OpenDialogRequest request{props_.title, props_.filter, props_.initDir, props_.fileName};
    std::optional<std::string> chosen = CurrentHost().ShowOpenDialog(request);
    SetFileName(chosen.value_or(std::string()));
    if (!chosen && props_.cancelError) {
        throw OperationFailed("the Open dialog was cancelled");
    }
}

void CommonDialog::CopyPropertiesFrom(const Control& source) {
    Control::CopyPropertiesFrom(source);
    props_ = static_cast<const CommonDialog&>(source).props_;
}

}  // namespace forms
