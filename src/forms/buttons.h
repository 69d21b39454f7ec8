#pragma once

#include <optional>
#include <string>

#include "forms/control.h"

namespace forms {

enum class ButtonStyle { Standard = 0, Graphical = 1 };

class CommandButton final : public CaptionedControl {
  public:
    CommandButton(Form& form, std::string name, std::optional<int> index = std::nullopt);

    forms::ButtonStyle Style() const { return props_.style; }
    void SetStyle(forms::ButtonStyle style);
    const ImageId& Picture() const { return props_.picture; }
    void SetPicture(const ImageId& picture);
    // The button Enter presses; making one button the default takes it from the others of the form.
    bool Default() const { return props_.isDefault; }
    void SetDefault(bool isDefault);
    // The button Escape presses; one per form, as Default.
    bool Cancel() const { return props_.isCancel; }
    void SetCancel(bool isCancel);

    Event<> OnClick;
    // A click by the user or by code; a disabled button ignores it.
    void Click();

    void Accept(ControlVisitor& visitor) override { visitor.Visit(*this); }

  protected:
    void CopyPropertiesFrom(const Control& source) override;

  private:
    struct Properties {
        forms::ButtonStyle style = forms::ButtonStyle::Standard;
        ImageId picture;
        bool isDefault = false;
        bool isCancel = false;
    };
    Properties props_;
};

// Check box values.
inline constexpr int kUnchecked = 0;
inline constexpr int kChecked = 1;
inline constexpr int kGrayed = 2;

class CheckBox final : public CaptionedControl {
  public:
    CheckBox(Form& form, std::string name, std::optional<int> index = std::nullopt);

    int Value() const { return value_; }
    // kUnchecked, kChecked or kGrayed (else InvalidPropertyValue). A change raises Click, whether
    // the user or code made it.
    void SetValue(int value);

    Event<> OnClick;
    // The user's click: unchecked becomes checked, checked and grayed become unchecked. A disabled
    // box ignores it.
    void Click();

    void Accept(ControlVisitor& visitor) override { visitor.Visit(*this); }

  protected:
    void CopyPropertiesFrom(const Control& source) override;

  private:
    int value_ = kUnchecked;
};

class OptionButton final : public CaptionedControl {
  public:
    OptionButton(Form& form, std::string name, std::optional<int> index = std::nullopt);

    bool Value() const { return value_; }
    // Setting it true when it was false clears the other option buttons of the same container
    // (without raising their Click) and raises this button's Click.
    void SetValue(bool value);

    Event<> OnClick;
    // The user's click: selects the button. A disabled button ignores it.
    void Click();

    void Accept(ControlVisitor& visitor) override { visitor.Visit(*this); }

  protected:
    void CopyPropertiesFrom(const Control& source) override;

  private:
    void ClearGroupPartners();
    bool value_ = false;
};

}  // namespace forms
