#include "forms/status_bar.h"

#include <cmath>

#include "forms/errors.h"

namespace forms {
namespace {

void RequireWidth(double width) {
    if (width < 0 || std::isnan(width)) {
        throw InvalidPropertyValue("a panel width must not be negative");
    }
}

}  // namespace

Panel::Panel(StatusBar& owner, int index, std::string text, double width)
    : owner_(owner), index_(index), text_(std::move(text)), width_(width) {}

void Panel::SetText(const std::string& text) {
    if (text_ != text) {
        text_ = text;
        owner_.NotifyChanged(Property::Panels, index_);
    }
}

void Panel::SetWidth(double width) {
    RequireWidth(width);
    if (width_ != width) {
        width_ = width;
        owner_.NotifyChanged(Property::Panels, index_);
    }
}

StatusBar::StatusBar(Form& form, std::string name, std::optional<int> index)
    : Control(form, ControlKind::StatusBar, std::move(name), index) {}

Panel& StatusBar::PanelCollection::Add(const std::string& text, double width) {
    RequireWidth(width);
    auto& panels = owner_.panels_;
    const int index = static_cast<int>(panels.size()) + 1;
    panels.push_back(std::unique_ptr<Panel>(new Panel(owner_, index, text, width)));
    owner_.NotifyChanged(Property::Panels, 0);
    return *panels.back();
}

Panel& StatusBar::PanelCollection::operator()(int index) const {
    if (index < 1 || index > Count()) {
        throw IndexOutOfRange("panel " + std::to_string(index) + " of " + owner_.Name() +
                              " does not exist");
    }
    return *owner_.panels_[index - 1];
}

int StatusBar::PanelCollection::Count() const {
    return static_cast<int>(owner_.panels_.size());
}

}  // namespace forms
