#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "forms/control.h"
#include "forms/text_cell.h"

namespace forms {

class ListView;

// One column header of a report view, counted from 1.
class ColumnHeader final : public TextCell {
  private:
    friend class ListView;
    using TextCell::TextCell;
};

// One row, counted from 1. A reference stays valid until the row is removed or the list cleared.
class ListItem {
  public:
    int Index() const { return index_; }
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    // The text in column n + 1, for n from 1 to the column count less one; any other n throws
    // IndexOutOfRange. A sub-item never set is "".
    const std::string& SubItems(int n) const;
    void SetSubItem(int n, const std::string& text);
    // The 1-based index into the list's small icons; 0 = none.
    int SmallIcon() const { return smallIcon_; }
    void SetSmallIcon(int icon);
    // The tick. Set by code it raises no ItemCheck; see ListView::UserSetChecked.
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);

  private:
    friend class ListView;
    ListItem(ListView& owner, int index, std::string text, int smallIcon);
    void CheckSubItem(int n) const;
    void Changed();
    ListView& owner_;
    int index_;
    std::string text_;
    std::vector<std::string> subItems_;
    int smallIcon_;
    bool checked_ = false;
};

// A list view in report view: column headers and rows with sub-items, small icons and ticks.
class ListView final : public Control {
  public:
    ListView(Form& form, std::string name, std::optional<int> index = std::nullopt);

    class ColumnHeaderCollection {
      public:
        // A new header at the end; the default width is 1440 twips.
        ColumnHeader& Add(const std::string& text = "", double width = 1440);
        // The header at index, from 1; IndexOutOfRange when there is none.
        ColumnHeader& operator()(int index) const;
        int Count() const;
        void Clear();

      private:
        friend class ListView;
        explicit ColumnHeaderCollection(ListView& owner) : owner_(owner) {}
        ListView& owner_;
    };

    class ListItemCollection {
      public:
        ListItem& Add(const std::string& text = "", int smallIcon = 0);
        // The row at index, from 1; IndexOutOfRange when there is none: walks over the rows stop on
        // it.
        ListItem& operator()(int index) const;
        int Count() const;
        // Removes the row at index; the rows after it move up one place.
        void Remove(int index);
        void Clear();

      private:
        friend class ListView;
        explicit ListItemCollection(ListView& owner) : owner_(owner) {}
        ListView& owner_;
    };

    ColumnHeaderCollection ColumnHeaders{*this};
    ListItemCollection ListItems{*this};

    // The first row, from row 1, whose text begins with prefix, letter case ignored; null if none.
    ListItem* FindItem(std::string_view prefix) const;

    // Whether rows show tick boxes.
    bool Checkboxes() const { return props_.checkboxes; }
    void SetCheckboxes(bool checkboxes);
    bool HideColumnHeaders() const { return props_.hideColumnHeaders; }
    void SetHideColumnHeaders(bool hide);
    // The small icons rows refer to by SmallIcon (the first is icon 1).
    const std::vector<ImageId>& SmallIconImages() const { return props_.smallIconImages; }
    void SetSmallIconImages(const std::vector<ImageId>& images);

    // Raised when the user ticks or unticks a row, never when code sets Checked.
    Event<ListItem&> OnItemCheck;
    Event<> OnClick;
    // The user's tick on row index: sets the tick and raises ItemCheck when it changed. A disabled
    // list takes no ticks.
    void UserSetChecked(int index, bool checked);
    void Click();

    void Accept(ControlVisitor& visitor) override { visitor.Visit(*this); }

  protected:
    void CopyPropertiesFrom(const Control& source) override;

  private:
    friend class ListItem;

    struct Properties {
        bool checkboxes = false;
        bool hideColumnHeaders = false;
        std::vector<ImageId> smallIconImages;
    };
    Properties props_;
    std::vector<std::unique_ptr<ColumnHeader>> columns_;
    std::vector<std::unique_ptr<ListItem>> items_;
};

}  // namespace forms
