#include "forms/list_boxes.h"

#include "forms/errors.h"
#include "platform/text_case.h"

namespace forms {

ListControl::ListControl(Form& form, ControlKind kind, std::string name, std::optional<int> index)
    : Control(form, kind, std::move(name), index) {
    SetBackColor(system_color::WindowBackground);
    SetForeColor(system_color::WindowText);
}

void ListControl::CheckIndex(int index, int limit) const {
    if (index < 0 || index >= limit) {
        throw IndexOutOfRange("no entry " + std::to_string(index) + " in " + Name());
    }
}

void ListControl::AddItem(const std::string& item, std::optional<int> index) {
    const int position = index.value_or(ListCount());
    CheckIndex(position, ListCount() + 1);
    entries_.insert(entries_.begin() + position, item);
    NotifyChanged(Property::ListEntryAdded, position);
    if (listIndex_ >= position) {
        SetListIndexQuietly(listIndex_ + 1);
    }
}

void ListControl::RemoveItem(int index) {
    CheckIndex(index, ListCount());
    entries_.erase(entries_.begin() + index);
    NotifyChanged(Property::ListEntryRemoved, index);
    if (listIndex_ == index) {
        SetListIndexQuietly(-1);
    } else if (listIndex_ > index) {
        SetListIndexQuietly(listIndex_ - 1);
    }
}

void ListControl::Clear() {
    entries_.clear();
    NotifyChanged(Property::ListEntries, -1);
    SetListIndexQuietly(-1);
    Cleared();
}

const std::string& ListControl::List(int index) const {
    CheckIndex(index, ListCount());
    return entries_[index];
}

void ListControl::SetListIndex(int index) {
    if (index != -1) {
        CheckIndex(index, ListCount());
    }
    SetListIndexQuietly(index);
    OnClick.Raise();
}

void ListControl::SetListIndexQuietly(int index) {
    if (Update(listIndex_, index, Property::ListIndex)) {
        SelectionChanged();
    }
}

int ListControl::IndexOf(const std::string& text, bool ignoreCase) const {
    for (int i = 0; i < ListCount(); ++i) {
        if (ignoreCase ? platform::EqualsIgnoringCase(entries_[i], text) : entries_[i] == text) {
            return i;
        }
    }
    return -1;
}

void ListControl::CopyPropertiesFrom(const Control& source) {
    Control::CopyPropertiesFrom(source);
    const auto& model = static_cast<const ListControl&>(source);
    entries_ = model.entries_;
    listIndex_ = model.listIndex_;
}

ComboBox::ComboBox(Form& form, std::string name, std::optional<int> index)
    : ListControl(form, ControlKind::ComboBox, std::move(name), index) {}

void ComboBox::SetStyle(forms::ComboStyle style) {
    Update(style_, style, Property::ComboStyle);
}

void ComboBox::SetText(const std::string& text) {
    if (style_ == forms::ComboStyle::DropDownList) {
        const int entry = IndexOf(text, true);
        if (entry < 0) {
            throw InvalidPropertyValue("\"" + text + "\" is not an entry of " + Name());
        }
        SetListIndex(entry);
        return;
    }
    Update(text_, text, Property::Text);
    SetListIndexQuietly(IndexOf(text, false));
}

void ComboBox::SelectionChanged() {
    if (ListIndex() >= 0) {
        Update(text_, List(ListIndex()), Property::Text);
    } else if (style_ == forms::ComboStyle::DropDownList) {
        Update(text_, std::string(), Property::Text);
    }
}

void ComboBox::Cleared() {
    Update(text_, std::string(), Property::Text);
}

void ComboBox::CopyPropertiesFrom(const Control& source) {
    ListControl::CopyPropertiesFrom(source);
    const auto& model = static_cast<const ComboBox&>(source);
    style_ = model.style_;
    text_ = model.text_;
}

ListBox::ListBox(Form& form, std::string name, std::optional<int> index)
    : ListControl(form, ControlKind::ListBox, std::move(name), index) {}

std::string ListBox::Text() const {
    return ListIndex() >= 0 ? List(ListIndex()) : std::string();
}

}  // namespace forms
