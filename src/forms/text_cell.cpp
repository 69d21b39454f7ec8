#include "forms/text_cell.h"

#include <cmath>

#include "forms/control.h"
#include "forms/errors.h"

namespace forms {

TextCell::TextCell(Control& owner, Property property, int index, std::string text, double width)
    : owner_(owner), property_(property), index_(index), text_(std::move(text)), width_(width) {
    RequireWidth(width);
}

void TextCell::RequireWidth(double width) {
    if (width < 0 || std::isnan(width)) {
        throw InvalidPropertyValue("a width must not be negative");
    }
}

void TextCell::SetText(const std::string& text) {
    if (text_ != text) {
        text_ = text;
        Changed();
    }
}

void TextCell::SetWidth(double width) {
    RequireWidth(width);
    if (width_ != width) {
        width_ = width;
        Changed();
    }
}

void TextCell::Changed() {
    owner_.NotifyChanged(property_, index_);
}

}  // namespace forms
