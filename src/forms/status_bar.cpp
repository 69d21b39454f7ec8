#include "forms/status_bar.h"

#include "forms/numbered_items.h"

namespace forms {

StatusBar::StatusBar(Form& form, std::string name, std::optional<int> index)
    : Control(form, ControlKind::StatusBar, std::move(name), index) {}

Panel& StatusBar::PanelCollection::Add(const std::string& text, double width) {
    auto& panels = owner_.panels_;
    const int index = static_cast<int>(panels.size()) + 1;
    panels.push_back(
        std::unique_ptr<Panel>(new Panel(owner_, Property::Panels, index, text, width)));
    owner_.NotifyChanged(Property::Panels, 0);
    return *panels.back();
}

Panel& StatusBar::PanelCollection::operator()(int index) const {
    return NumberedItem(owner_.panels_, index, "panel", owner_.Name());
}

int StatusBar::PanelCollection::Count() const {
    return static_cast<int>(owner_.panels_.size());
}

}  // namespace forms
