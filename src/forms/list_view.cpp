#include "forms/list_view.h"

#include "forms/errors.h"
#include "forms/numbered_items.h"
#include "platform/text_case.h"

namespace forms {
ListItem::ListItem(ListView& owner, int index, std::string text, int smallIcon)
    : owner_(owner), index_(index), text_(std::move(text)), smallIcon_(smallIcon) {}

void ListItem::Changed() {
    owner_.NotifyChanged(Property::ListItemChanged, index_);
}

void ListItem::SetText(const std::string& text) {
    if (text_ != text) {
        text_ = text;
        Changed();
    }
}

void ListItem::CheckSubItem(int n) const {
    if (n < 1 || n >= owner_.ColumnHeaders.Count()) {
        throw IndexOutOfRange("sub-item " + std::to_string(n) + " of " + owner_.Name() +
                              " does not exist (it has " +
                              std::to_string(owner_.ColumnHeaders.Count()) + " columns)");
    }
}

const std::string& ListItem::SubItems(int n) const {
    static const std::string kUnset;
    CheckSubItem(n);
    return n <= static_cast<int>(subItems_.size()) ? subItems_[n - 1] : kUnset;
}

void ListItem::SetSubItem(int n, const std::string& text) {
    CheckSubItem(n);
    if (static_cast<int>(subItems_.size()) < n) {
        subItems_.resize(n);
    }
    if (subItems_[n - 1] != text) {
        subItems_[n - 1] = text;
        Changed();
    }
}

void ListItem::SetSmallIcon(int icon) {
    if (smallIcon_ != icon) {
        smallIcon_ = icon;
        Changed();
    }
}

void ListItem::SetChecked(bool checked) {
    if (checked_ != checked) {
        checked_ = checked;
        Changed();
    }
}

ListView::ListView(Form& form, std::string name, std::optional<int> index)
    : Control(form, ControlKind::ListView, std::move(name), index) {
    SetBackColor(system_color::WindowBackground);
    SetForeColor(system_color::WindowText);
}

ColumnHeader& ListView::ColumnHeaderCollection::Add(const std::string& text, double width) {
    auto& columns = owner_.columns_;
    const int index = static_cast<int>(columns.size()) + 1;
    columns.push_back(std::unique_ptr<ColumnHeader>(
        new ColumnHeader(owner_, Property::ColumnHeaders, index, text, width)));
    owner_.NotifyChanged(Property::ColumnHeaders, 0);
    return *columns.back();
}

ColumnHeader& ListView::ColumnHeaderCollection::operator()(int index) const {
    return NumberedItem(owner_.columns_, index, "column", owner_.Name());
}

int ListView::ColumnHeaderCollection::Count() const {
    return static_cast<int>(owner_.columns_.size());
}

void ListView::ColumnHeaderCollection::Clear() {
    owner_.columns_.clear();
    owner_.NotifyChanged(Property::ColumnHeaders, 0);
}

ListItem& ListView::ListItemCollection::Add(const std::string& text, int smallIcon) {
    auto& items = owner_.items_;
    const int index = static_cast<int>(items.size()) + 1;
    items.push_back(std::unique_ptr<ListItem>(new ListItem(owner_, index, text, smallIcon)));
    owner_.NotifyChanged(Property::ListItemAdded, index);
    return *items.back();
}

ListItem& ListView::ListItemCollection::operator()(int index) const {
    return NumberedItem(owner_.items_, index, "row", owner_.Name());
}

int ListView::ListItemCollection::Count() const {
    return static_cast<int>(owner_.items_.size());
}

void ListView::ListItemCollection::Remove(int index) {
    NumberedItem(owner_.items_, index, "row", owner_.Name());
    auto& items = owner_.items_;
    items.erase(items.begin() + (index - 1));
    for (std::size_t i = index - 1; i < items.size(); ++i) {
        items[i]->index_ = static_cast<int>(i) + 1;
    }
    owner_.NotifyChanged(Property::ListItemRemoved, index);
}

void ListView::ListItemCollection::Clear() {
    owner_.items_.clear();
    owner_.NotifyChanged(Property::ListItemsCleared, 0);
}

ListItem* ListView::FindItem(std::string_view prefix) const {
    const std::string wanted = platform::ToUpperText(prefix);
    for (const auto& item : items_) {
        if (platform::ToUpperText(item->Text()).starts_with(wanted)) {
            return item.get();
        }
    }
    return nullptr;
}

void ListView::SetCheckboxes(bool checkboxes) {
    Update(props_.checkboxes, checkboxes, Property::Checkboxes);
}

void ListView::SetHideColumnHeaders(bool hide) {
    Update(props_.hideColumnHeaders, hide, Property::HideColumnHeaders);
}

void ListView::SetSmallIconImages(const std::vector<ImageId>& images) {
    Update(props_.smallIconImages, images, Property::SmallIconImages);
}

void ListView::UserSetChecked(int index, bool checked) {
    ListItem& item = ListItems(index);
    if (Enabled() && item.Checked() != checked) {
        item.SetChecked(checked);
        OnItemCheck.Raise(item);
    }
}

void ListView::Click() {
    RaiseIfEnabled(OnClick);
}

void ListView::CopyPropertiesFrom(const Control& source) {
    Control::CopyPropertiesFrom(source);
    props_ = static_cast<const ListView&>(source).props_;
}

}  // namespace forms
