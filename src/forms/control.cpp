#include "forms/control.h"

#include <cmath>

#include "forms/errors.h"
#include "forms/form.h"

namespace forms {
namespace {

void RequireSize(double value, const std::string& what) {
    if (value < 0 || std::isnan(value)) {
        throw InvalidPropertyValue(what + " must not be negative");
    }
}

bool Holds(const Control& container, const Control& control) {
    for (const Control* step = &container; step != nullptr; step = step->Container()) {
        if (step == &control) {
            return true;
        }
    }
    return false;
}

}  // namespace

template <class T>
FontStyle Control::FontWith(T FontStyle::*field, const T& value) const {
    FontStyle font = common_.font;
    font.*field = value;
    return font;
}

Control::Control(Form& form, ControlKind kind, std::string name, std::optional<int> index)
    : form_(form), kind_(kind), name_(std::move(name)), index_(index) {
    form_.Register(*this);
}

Control::~Control() {
    form_.Unregister(*this);
}

bool Control::CanContain(const Control&) const {
    return false;
}

void Control::SetContainer(Control* container) {
    if (container == container_) {
        return;
    }
    if (container != nullptr) {
        if (&container->Parent() != &form_ || !container->CanContain(*this) ||
            Holds(*container, *this)) {
            throw InvalidPropertyValue(std::string(container->Name()) + " cannot hold " + name_);
        }
    }
    container_ = container;
    NotifyChanged(Property::Container);
}

void Control::SetVisible(bool visible) {
    Update(common_.visible, visible, Property::Visible);
}

void Control::SetEnabled(bool enabled) {
    if (Update(common_.enabled, enabled, Property::Enabled)) {
        EnabledChanged();
    }
}

void Control::SetTabStop(bool tabStop) {
    Update(common_.tabStop, tabStop, Property::TabStop);
}

void Control::SetLeft(double left) {
    Update(common_.left, left, Property::Left);
}

void Control::SetTop(double top) {
    Update(common_.top, top, Property::Top);
}

void Control::SetWidth(double width) {
    RequireSize(width, "the width of " + name_);
    Update(common_.width, width, Property::Width);
}

void Control::SetHeight(double height) {
    RequireSize(height, "the height of " + name_);
    Update(common_.height, height, Property::Height);
}

void Control::Move(double left, double top) {
    SetLeft(left);
    SetTop(top);
}

void Control::Move(double left, double top, double width, double height) {
    RequireSize(width, "the width of " + name_);
    RequireSize(height, "the height of " + name_);
    SetLeft(left);
    SetTop(top);
    SetWidth(width);
    SetHeight(height);
}

void Control::SetFont(const FontStyle& font) {
    Update(common_.font, font, Property::Font);
}

void Control::SetFontName(const std::string& name) {
    SetFont(FontWith(&FontStyle::name, name));
}

void Control::SetFontSize(double points) {
    SetFont(FontWith(&FontStyle::size, points));
}

void Control::SetFontBold(bool bold) {
    SetFont(FontWith(&FontStyle::bold, bold));
}

void Control::SetFontItalic(bool italic) {
    SetFont(FontWith(&FontStyle::italic, italic));
}

void Control::SetBackColor(Color color) {
    Update(common_.backColor, color, Property::BackColor);
}

void Control::SetForeColor(Color color) {
    Update(common_.foreColor, color, Property::ForeColor);
}

void Control::SetToolTipText(const std::string& text) {
    Update(common_.toolTipText, text, Property::ToolTipText);
}

void Control::SetTag(const std::string& tag) {
    Update(common_.tag, tag, Property::Tag);
}

ObserverId Control::Observe(std::function<void(const Change&)> observer) {
    return observers_.Add(std::move(observer));
}

void Control::StopObserving(ObserverId id) {
    observers_.Remove(id);
}

void Control::MouseDown(int button, int shift, double x, double y) {
    RaiseIfEnabled(OnMouseDown, button, shift, x, y);
}

void Control::MouseUp(int button, int shift, double x, double y) {
    RaiseIfEnabled(OnMouseUp, button, shift, x, y);
}

void Control::MouseMove(int button, int shift, double x, double y) {
    RaiseIfEnabled(OnMouseMove, button, shift, x, y);
}

void Control::KeyUp(int keyCode, int shift) {
    RaiseIfEnabled(OnKeyUp, keyCode, shift);
}

void Control::NotifyChanged(Property property, int item) {
    Change change{&form_, this, property, item};
    observers_.Notify(change);
    form_.ControlChanged(*this, property, item);
}

void Control::CopyPropertiesFrom(const Control& source) {
    common_ = source.common_;
    common_.visible = false;
    container_ = source.container_;
}

void CaptionedControl::SetCaption(const std::string& caption) {
    Update(caption_, caption, Property::Caption);
}

void CaptionedControl::CopyPropertiesFrom(const Control& source) {
    Control::CopyPropertiesFrom(source);
    caption_ = static_cast<const CaptionedControl&>(source).caption_;
}

CaptionedControl* AsCaptioned(Control& control) {
    return dynamic_cast<CaptionedControl*>(&control);
}

}  // namespace forms
