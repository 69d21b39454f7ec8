#pragma once

#include <optional>
#include <string>

#include "forms/control.h"

namespace forms {

class ProgressBar final : public Control {
  public:
    ProgressBar(Form& form, std::string name, std::optional<int> index = std::nullopt);

    double Min() const { return props_.min; }
    double Max() const { return props_.max; }
    // Min must stay below Max (else InvalidPropertyValue); the value is brought into the new range.
    void SetMin(double min);
    void SetMax(double max);
    double Value() const { return props_.value; }
    // A value outside Min to Max is clamped to the nearer end rather than refused, so progress
    // reports that overshoot never stop the work they report on.
    void SetValue(double value);

    void Accept(ControlVisitor& visitor) override { visitor.Visit(*this); }

  protected:
    void CopyPropertiesFrom(const Control& source) override;

  private:
    struct Properties {
        double min = 0;
        double max = 100;
        double value = 0;
    };
    Properties props_;
};

}  // namespace forms
