#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "forms/control.h"

namespace forms {

class TabStrip;

// One tab, counted from 1.
class Tab {
  public:
    int Index() const { return index_; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);

  private:
    friend class TabStrip;
    Tab(TabStrip& owner, int index, std::string caption);
    TabStrip& owner_;
    int index_;
    std::string caption_;
};

class TabStrip final : public Control {
  public:
    TabStrip(Form& form, std::string name, std::optional<int> index = std::nullopt);

    class TabCollection {
      public:
        // A new tab at the end; the first tab added is selected.
        Tab& Add(const std::string& caption);
        // The tab at index, from 1; IndexOutOfRange when there is none.
        Tab& operator()(int index) const;
        int Count() const;

      private:
        friend class TabStrip;
        explicit TabCollection(TabStrip& owner) : owner_(owner) {}
        TabStrip& owner_;
    };

    TabCollection Tabs{*this};

    // The selected tab's index; 0 when there are no tabs.
    int SelectedIndex() const { return selected_; }
    // Selects a tab and raises Click, by code as by the user, also when it was selected already.
    // IndexOutOfRange when there is no such tab.
    void Select(int index);

    Event<> OnClick;

    void Accept(ControlVisitor& visitor) override { visitor.Visit(*this); }

  private:
    friend class Tab;
    std::vector<std::unique_ptr<Tab>> tabs_;
    int selected_ = 0;
};

}  // namespace forms
