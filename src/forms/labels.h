#pragma once

#include <optional>
#include <string>

#include "forms/control.h"

namespace forms {

enum class Alignment { Left = 0, Right = 1, Center = 2 };

// What plain labels and skin labels share. The two are distinct types: code that walks a window's
// controls tells them apart by type name.
class LabelBase : public CaptionedControl {
  public:
    forms::Alignment Alignment() const { return props_.alignment; }
    void SetAlignment(forms::Alignment alignment);
    bool AutoSize() const { return props_.autoSize; }
    void SetAutoSize(bool autoSize);
    bool WordWrap() const { return props_.wordWrap; }
    void SetWordWrap(bool wordWrap);

    // The caption read as a number: blanks around it, a sign, thousands separators and a decimal
    // point are allowed ("12", " -3.5 ", "1,234"). Throws InvalidPropertyValue for any other text,
    // the empty caption included.
    double CaptionAsNumber() const;

    Event<> OnClick;
    // A click; a disabled label ignores it.
    void Click();

  protected:
    LabelBase(Form& form, ControlKind kind, std::string name, std::optional<int> index);
    void CopyPropertiesFrom(const Control& source) override;

  private:
    struct Properties {
        forms::Alignment alignment = forms::Alignment::Left;
        bool autoSize = false;
        bool wordWrap = false;
    };
    Properties props_;
};

class Label final : public LabelBase {
  public:
    Label(Form& form, std::string name, std::optional<int> index = std::nullopt);
    void Accept(ControlVisitor& visitor) override { visitor.Visit(*this); }
};

// The label of the skinning layer: a label of its own type name.
class SkinLabel final : public LabelBase {
  public:
    SkinLabel(Form& form, std::string name, std::optional<int> index = std::nullopt);
    void Accept(ControlVisitor& visitor) override { visitor.Visit(*this); }
};

// Gives `to` the Top, Left, Height, Width, Font, Caption and Visible of `from`, in that order: how
// a skin label takes over the place and text of a plain label.
void CopyPlacementAndCaption(const LabelBase& from, LabelBase& to);

// Reads a number as a caption holds it (see CaptionAsNumber); nothing for any other text.
std::optional<double> ParseCaptionNumber(const std::string& text);

}  // namespace forms
