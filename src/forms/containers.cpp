#include "forms/containers.h"

namespace forms {
namespace {

bool HoldsAnyButMenus(const Control& child) {
    return child.Kind() != ControlKind::Menu;
}

}  // namespace

Frame::Frame(Form& form, std::string name, std::optional<int> index)
    : CaptionedControl(form, ControlKind::Frame, std::move(name), index) {}

bool Frame::CanContain(const Control& child) const {
    return HoldsAnyButMenus(child);
}

PictureBox::PictureBox(Form& form, std::string name, std::optional<int> index)
    : Control(form, ControlKind::PictureBox, std::move(name), index) {}

void PictureBox::SetPicture(const ImageId& picture) {
    Update(picture_, picture, Property::Picture);
}

void PictureBox::Click() {
    RaiseIfEnabled(OnClick);
}

bool PictureBox::CanContain(const Control& child) const {
    return HoldsAnyButMenus(child);
}

void PictureBox::CopyPropertiesFrom(const Control& source) {
    Control::CopyPropertiesFrom(source);
    picture_ = static_cast<const PictureBox&>(source).picture_;
}

Image::Image(Form& form, std::string name, std::optional<int> index)
    : Control(form, ControlKind::Image, std::move(name), index) {}

void Image::SetPicture(const ImageId& picture) {
    Update(props_.picture, picture, Property::Picture);
}

void Image::SetStretch(bool stretch) {
    Update(props_.stretch, stretch, Property::Stretch);
}

void Image::Click() {
    RaiseIfEnabled(OnClick);
}

void Image::CopyPropertiesFrom(const Control& source) {
    Control::CopyPropertiesFrom(source);
    props_ = static_cast<const Image&>(source).props_;
}

Shape::Shape(Form& form, std::string name, std::optional<int> index)
    : Control(form, ControlKind::Shape, std::move(name), index) {}

void Shape::SetShapeType(forms::ShapeType shapeType) {
    Update(props_.shapeType, shapeType, Property::ShapeType);
}

void Shape::SetBorderColor(Color color) {
    Update(props_.borderColor, color, Property::BorderColor);
}

void Shape::SetFillColor(Color color) {
    Update(props_.fillColor, color, Property::FillColor);
}

void Shape::SetFillStyle(forms::FillStyle fillStyle) {
    Update(props_.fillStyle, fillStyle, Property::FillStyle);
}

void Shape::CopyPropertiesFrom(const Control& source) {
    Control::CopyPropertiesFrom(source);
    props_ = static_cast<const Shape&>(source).props_;
}

}  // namespace forms
