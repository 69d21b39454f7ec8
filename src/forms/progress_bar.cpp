#include "forms/progress_bar.h"

#include <algorithm>
#include <cmath>

#include "forms/errors.h"

namespace forms {

ProgressBar::ProgressBar(Form& form, std::string name, std::optional<int> index)
    : Control(form, ControlKind::ProgressBar, std::move(name), index) {}

void ProgressBar::SetMin(double min) {
    if (!(min < props_.max)) {
        throw InvalidPropertyValue("the minimum of " + Name() + " must be below its maximum");
    }
    Update(props_.min, min, Property::Min);
    SetValue(props_.value);
}

void ProgressBar::SetMax(double max) {
    if (!(max > props_.min)) {
        throw InvalidPropertyValue("the maximum of " + Name() + " must be above its minimum");
    }
    Update(props_.max, max, Property::Max);
    SetValue(props_.value);
}

void ProgressBar::SetValue(double value) {
    if (std::isnan(value)) {
        value = props_.min;
    }
    Update(props_.value, std::clamp(value, props_.min, props_.max), Property::Value);
}

void ProgressBar::CopyPropertiesFrom(const Control& source) {
    Control::CopyPropertiesFrom(source);
    props_ = static_cast<const ProgressBar&>(source).props_;
}

}  // namespace forms
