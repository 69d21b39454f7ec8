#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "forms/control.h"

namespace forms {

class StatusBar;

// One panel of a status bar, counted from 1.
class Panel {
  public:
    int Index() const { return index_; }
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    // Twips.
    double Width() const { return width_; }
    void SetWidth(double width);

  private:
    friend class StatusBar;
    Panel(StatusBar& owner, int index, std::string text, double width);
    StatusBar& owner_;
    int index_;
    std::string text_;
    double width_;
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
    friend class Panel;
    std::vector<std::unique_ptr<Panel>> panels_;
};

}  // namespace forms
