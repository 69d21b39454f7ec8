#include "forms/labels.h"

#include <cctype>
#include <charconv>
#include <cmath>

#include "forms/errors.h"

namespace forms {
namespace {

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Drops thousands separators that stand between digits; any other comma stays and fails.
std::string WithoutGrouping(const std::string& text) {
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool grouping = text[i] == ',' && i > 0 && IsDigit(text[i - 1]) &&
                              i + 1 < text.size() && IsDigit(text[i + 1]);
        if (!grouping) {
            plain += text[i];
        }
    }
    return plain;
}

}  // namespace

std::optional<double> ParseCaptionNumber(const std::string& text) {
    std::string plain = WithoutGrouping(Trimmed(text));
    if (!plain.empty() && plain.front() == '+') {
        plain.erase(0, 1);
    }
    if (plain.empty()) {
        return std::nullopt;
    }
    double value = 0;
    const char* end = plain.data() + plain.size();
    auto [stop, error] = std::from_chars(plain.data(), end, value);
    if (error != std::errc() || stop != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

LabelBase::LabelBase(Form& form, ControlKind kind, std::string name, std::optional<int> index)
    : CaptionedControl(form, kind, std::move(name), index) {}

void LabelBase::SetAlignment(forms::Alignment alignment) {
    Update(props_.alignment, alignment, Property::Alignment);
}

void LabelBase::SetAutoSize(bool autoSize) {
    Update(props_.autoSize, autoSize, Property::AutoSize);
}

void LabelBase::SetWordWrap(bool wordWrap) {
    Update(props_.wordWrap, wordWrap, Property::WordWrap);
}

double LabelBase::CaptionAsNumber() const {
    if (auto number = ParseCaptionNumber(Caption())) {
        return *number;
    }
    throw InvalidPropertyValue("the caption of " + Name() + " is not a number: \"" + Caption() +
                               "\"");
}

void LabelBase::Click() {
    RaiseIfEnabled(OnClick);
}

void LabelBase::CopyPropertiesFrom(const Control& source) {
    CaptionedControl::CopyPropertiesFrom(source);
    props_ = static_cast<const LabelBase&>(source).props_;
}

Label::Label(Form& form, std::string name, std::optional<int> index)
    : LabelBase(form, ControlKind::Label, std::move(name), index) {}

SkinLabel::SkinLabel(Form& form, std::string name, std::optional<int> index)
    : LabelBase(form, ControlKind::SkinLabel, std::move(name), index) {}

void CopyPlacementAndCaption(const LabelBase& from, LabelBase& to) {
    to.SetTop(from.Top());
    to.SetLeft(from.Left());
    to.SetHeight(from.Height());
    to.SetWidth(from.Width());
    to.SetFont(from.Font());
    to.SetCaption(from.Caption());
    to.SetVisible(from.Visible());
}

}  // namespace forms
