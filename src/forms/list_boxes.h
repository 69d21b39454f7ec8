#pragma once

#include <optional>
#include <string>
#include <vector>

#include "forms/control.h"

// Combo boxes and list boxes: a list of text entries counted from 0, one of them selected.
namespace forms {

class ListControl : public Control {
  public:
    // Adds an entry at the end or before the entry at index (IndexOutOfRange past the end).
    void AddItem(const std::string& item, std::optional<int> index = std::nullopt);
    void RemoveItem(int index);
    // Empties the list and selects nothing; a combo box's text goes too.
    void Clear();
    int ListCount() const { return static_cast<int>(entries_.size()); }
    // The entry at index; IndexOutOfRange when there is none.
    const std::string& List(int index) const;

    // The selected entry, or -1.
    int ListIndex() const { return listIndex_; }
    // Selects an entry (-1: none; any other value outside the list throws IndexOutOfRange) and
    // raises Click, by code as by the user, also when the entry was selected already.
    void SetListIndex(int index);

    Event<> OnClick;

  protected:
    ListControl(Form& form, ControlKind kind, std::string name, std::optional<int> index);
    void CopyPropertiesFrom(const Control& source) override;
    // The selection changed without a Click (entries removed, text typed).
    void SetListIndexQuietly(int index);
    virtual void SelectionChanged() {}
    virtual void Cleared() {}
    // The position of the entry equal to text, or -1.
    int IndexOf(const std::string& text, bool ignoreCase) const;

  private:
    void CheckIndex(int index, int limit) const;
    std::vector<std::string> entries_;
    int listIndex_ = -1;
};

enum class ComboStyle { DropDownCombo = 0, SimpleCombo = 1, DropDownList = 2 };

class ComboBox final : public ListControl {
  public:
    ComboBox(Form& form, std::string name, std::optional<int> index = std::nullopt);

    forms::ComboStyle Style() const { return style_; }
    void SetStyle(forms::ComboStyle style);

    // A drop-down list shows its selected entry; a drop-down combo any text, in the list or not.
    const std::string& Text() const { return text_; }
    // Drop-down list: selects the entry of that text (letter case ignored), raising Click; a text
    // that is no entry throws InvalidPropertyValue. Drop-down combo: takes any text, and the
    // selection follows the entry equal to it (or none), without Click.
    void SetText(const std::string& text);

    void Accept(ControlVisitor& visitor) override { visitor.Visit(*this); }

  protected:
    void CopyPropertiesFrom(const Control& source) override;
    void SelectionChanged() override;
    void Cleared() override;

  private:
    forms::ComboStyle style_ = forms::ComboStyle::DropDownCombo;
    std::string text_;
};

class ListBox final : public ListControl {
  public:
    ListBox(Form& form, std::string name, std::optional<int> index = std::nullopt);

    // The selected entry, or "".
    std::string Text() const;

    void Accept(ControlVisitor& visitor) override { visitor.Visit(*this); }
};

}  // namespace forms
