#pragma once

#include <string>

#include "forms/change.h"

namespace forms {

class Control;

// One of a row of texts with widths, counted from 1: a list view's column header, a status bar's
// panel. Changes are told as the owner's `property` with the cell's index.
class TextCell {
  public:
    TextCell(const TextCell&) = delete;
    TextCell& operator=(const TextCell&) = delete;

    int Index() const { return index_; }
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    // Twips; fractions are kept. A negative width throws InvalidPropertyValue.
    double Width() const { return width_; }
    void SetWidth(double width);

    static void RequireWidth(double width);

  protected:
    TextCell(Control& owner, Property property, int index, std::string text, double width);

  private:
    void Changed();
    Control& owner_;
    Property property_;
    int index_;
    std::string text_;
    double width_;
};

}  // namespace forms
