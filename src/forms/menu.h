#pragma once

#include <optional>
#include <string>

#include "forms/control.h"

namespace forms {

// A menu of the window's menu bar (no container) or an item of another menu (its container). An
// item captioned "-" is a separator; it still takes its place and index in an item array.
class Menu final : public CaptionedControl {
  public:
    Menu(Form& form, std::string name, std::optional<int> index = std::nullopt);

    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    bool IsSeparator() const { return Caption() == "-"; }

    Event<> OnClick;
    // A click on the menu or item; a disabled one ignores it.
    void Click();

    bool CanContain(const Control& child) const override;
    void Accept(ControlVisitor& visitor) override { visitor.Visit(*this); }

  protected:
    void CopyPropertiesFrom(const Control& source) override;

  private:
    bool checked_ = false;
};

}  // namespace forms
