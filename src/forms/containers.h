#pragma once

#include <optional>
#include <string>

#include "forms/control.h"

// Frames, picture boxes, images and shapes.
namespace forms {

// A captioned box that holds other controls.
class Frame final : public CaptionedControl {
  public:
    Frame(Form& form, std::string name, std::optional<int> index = std::nullopt);
    bool CanContain(const Control& child) const override;
    void Accept(ControlVisitor& visitor) override { visitor.Visit(*this); }
};

// A picture that may hold other controls.
class PictureBox final : public Control {
  public:
    PictureBox(Form& form, std::string name, std::optional<int> index = std::nullopt);

    const ImageId& Picture() const { return picture_; }
    void SetPicture(const ImageId& picture);

    Event<> OnClick;
    // A click; a disabled picture box ignores it.
    void Click();

    bool CanContain(const Control& child) const override;
    void Accept(ControlVisitor& visitor) override { visitor.Visit(*this); }

  protected:
    void CopyPropertiesFrom(const Control& source) override;

  private:
    ImageId picture_;
};

// A picture drawn on its container.
class Image final : public Control {
  public:
    Image(Form& form, std::string name, std::optional<int> index = std::nullopt);

    const ImageId& Picture() const { return props_.picture; }
    void SetPicture(const ImageId& picture);
    // Whether the picture is stretched to the control's size.
    bool Stretch() const { return props_.stretch; }
    void SetStretch(bool stretch);

    Event<> OnClick;
    void Click();

    void Accept(ControlVisitor& visitor) override { visitor.Visit(*this); }

  protected:
    void CopyPropertiesFrom(const Control& source) override;

  private:
    struct Properties {
        ImageId picture;
        bool stretch = false;
    };
    Properties props_;
};

enum class ShapeType {
    Rectangle = 0,
    Square = 1,
    Oval = 2,
    Circle = 3,
    RoundedRectangle = 4,
    RoundedSquare = 5,
};
enum class FillStyle { Solid = 0, Transparent = 1 };

// A drawn figure.
class Shape final : public Control {
  public:
    Shape(Form& form, std::string name, std::optional<int> index = std::nullopt);

    forms::ShapeType ShapeType() const { return props_.shapeType; }
    void SetShapeType(forms::ShapeType shapeType);
    Color BorderColor() const { return props_.borderColor; }
    void SetBorderColor(Color color);
    Color FillColor() const { return props_.fillColor; }
    void SetFillColor(Color color);
    forms::FillStyle FillStyle() const { return props_.fillStyle; }
    void SetFillStyle(forms::FillStyle fillStyle);

    void Accept(ControlVisitor& visitor) override { visitor.Visit(*this); }

  protected:
    void CopyPropertiesFrom(const Control& source) override;

  private:
    struct Properties {
        forms::ShapeType shapeType = forms::ShapeType::Rectangle;
        Color borderColor = system_color::WindowText;
        Color fillColor = Rgb(0, 0, 0);
        forms::FillStyle fillStyle = forms::FillStyle::Transparent;
    };
    Properties props_;
};

}  // namespace forms
