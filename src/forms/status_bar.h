#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "forms/control.h"
#include "forms/text_cell.h"

namespace forms {

class StatusBar;

// One panel of a status bar, counted from 1.
class Panel final : public TextCell {
  private:
    friend class StatusBar;
    using TextCell::TextCell;
};

class StatusBar final : public Control {
  public:
    StatusBar(Form& form, std::string name, std::optional<int> index = std::nullopt);

    class PanelCollection {
      public:
        // A new panel at the end (also at run time); the default width is 1440 twips.
        Panel& Add(const std::string& text = "", double width = 1440);
        // The panel at index, from 1; IndexOutOfRange when there is none.
        Panel& operator()(int index) const;
        int Count() const;

      private:
        friend class StatusBar;
        explicit PanelCollection(StatusBar& owner) : owner_(owner) {}
        StatusBar& owner_;
    };

    PanelCollection Panels{*this};

    void Accept(ControlVisitor& visitor) override { visitor.Visit(*this); }

  private:
    std::vector<std::unique_ptr<Panel>> panels_;
};

}  // namespace forms
