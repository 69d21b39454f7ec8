#include "forms/tab_strip.h"

#include "forms/numbered_items.h"

namespace forms {

Tab::Tab(TabStrip& owner, int index, std::string caption)
    : owner_(owner), index_(index), caption_(std::move(caption)) {}

void Tab::SetCaption(const std::string& caption) {
    if (caption_ != caption) {
        caption_ = caption;
        owner_.NotifyChanged(Property::Tabs, index_);
    }
}

TabStrip::TabStrip(Form& form, std::string name, std::optional<int> index)
    : Control(form, ControlKind::TabStrip, std::move(name), index) {}

Tab& TabStrip::TabCollection::Add(const std::string& caption) {
    auto& tabs = owner_.tabs_;
    const int index = static_cast<int>(tabs.size()) + 1;
    tabs.push_back(std::unique_ptr<Tab>(new Tab(owner_, index, caption)));
    owner_.NotifyChanged(Property::Tabs, 0);
    if (owner_.selected_ == 0) {
        owner_.Update(owner_.selected_, 1, Property::SelectedTab);
    }
    return *tabs.back();
}

Tab& TabStrip::TabCollection::operator()(int index) const {
    return NumberedItem(owner_.tabs_, index, "tab", owner_.Name());
}

int TabStrip::TabCollection::Count() const {
    return static_cast<int>(owner_.tabs_.size());
}

void TabStrip::Select(int index) {
    Tabs(index);  // throws for a tab that does not exist
    Update(selected_, index, Property::SelectedTab);
    OnClick.Raise();
}

}  // namespace forms
