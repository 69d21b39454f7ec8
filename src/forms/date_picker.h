#pragma once

#include <optional>
#include <string>

#include "forms/control.h"
#include "platform/us_date.h"

namespace forms {

enum class DateFormat { LongDate = 0, ShortDate = 1, Time = 2, Custom = 3 };

// A date or time picker whose value may be empty ("Null"). The model keeps the value; the front end
// shows it by Format (or CustomFormat, such as "dd/MM/yyyy" or "hh:mm:ss").
class DTPicker final : public Control {
  public:
    DTPicker(Form& form, std::string name, std::optional<int> index = std::nullopt);

    const std::optional<platform::DateTime>& Value() const { return props_.value; }
    // Set by code: no event.
    void SetValue(const std::optional<platform::DateTime>& value);
    forms::DateFormat Format() const { return props_.format; }
    void SetFormat(forms::DateFormat format);
    const std::string& CustomFormat() const { return props_.customFormat; }
    void SetCustomFormat(const std::string& format);

    Event<> OnChange;
    Event<> OnClick;
    // The user picked a value (or cleared it): raises Change when it differs. A disabled picker
    // takes no input.
    void UserSetValue(const std::optional<platform::DateTime>& value);
    void Click();

    void Accept(ControlVisitor& visitor) override { visitor.Visit(*this); }

  protected:
    void CopyPropertiesFrom(const Control& source) override;

  private:
    struct Properties {
        std::optional<platform::DateTime> value;
        forms::DateFormat format = forms::DateFormat::ShortDate;
        std::string customFormat;
    };
    Properties props_;
};

}  // namespace forms
