#include <QGroupBox>
#include <QPainter>

#include "forms/containers.h"
#include "qt/clickable_label.h"
#include "qt/colors.h"
#include "qt/pictures.h"
#include "qt/views.h"

// Frames, picture boxes, images and shapes.
namespace frontend {
namespace {

class FrameView final : public ControlView {
  public:
    FrameView(forms::Frame& frame, QWidget* parent)
        : ControlView(frame, new QGroupBox(parent)), frame_(frame) {}

    QWidget* childArea() const override { return widget(); }

  protected:
    void ApplyOwn(forms::Property property, int) override {
        if (property == forms::Property::Caption) {
            ApplyAllOwn();
        }
    }
    void ApplyAllOwn() override {
        static_cast<QGroupBox*>(widget())->setTitle(AsWritten(frame_.Caption()));
    }

  private:
    forms::Frame& frame_;
};

// A picture box draws its picture at its top left corner, over its back colour, beneath the
// controls it holds.
class PictureBoxView final : public ControlView {
  public:
    PictureBoxView(forms::PictureBox& box, QWidget* parent)
        : ControlView(box, new ClickableLabel(parent)), box_(box) {
        shown().setAlignment(Qt::AlignLeft | Qt::AlignTop);
        shown().setFrameShape(QFrame::Box);
        shown().onClick = [this] { FromUser([this] { box_.Click(); }); };
    }

    QWidget* childArea() const override { return widget(); }

  protected:
    void ApplyOwn(forms::Property property, int) override {
        if (property == forms::Property::Picture) {
            ApplyAllOwn();
        }
    }
    void ApplyAllOwn() override { shown().setPixmap(PictureOf(box_.Picture())); }

  private:
    ClickableLabel& shown() const { return *static_cast<ClickableLabel*>(widget()); }
    forms::PictureBox& box_;
};

class ImageView final : public ControlView {
  public:
    ImageView(forms::Image& image, QWidget* parent)
        : ControlView(image, new ClickableLabel(parent)), image_(image) {
        shown().setAlignment(Qt::AlignLeft | Qt::AlignTop);
        shown().onClick = [this] { FromUser([this] { image_.Click(); }); };
    }

  protected:
    void ApplyOwn(forms::Property property, int) override {
        if (property == forms::Property::Picture || property == forms::Property::Stretch) {
            ApplyAllOwn();
        }
    }
    void ApplyAllOwn() override {
        shown().setScaledContents(image_.Stretch());
        shown().setPixmap(PictureOf(image_.Picture()));
    }
    void ApplyColors() override {}  // an image has no colours: its container shows around it

  private:
    ClickableLabel& shown() const { return *static_cast<ClickableLabel*>(widget()); }
    forms::Image& image_;
};

// Draws a shape of the model.
class ShapeSurface final : public QWidget {
  public:
    ShapeSurface(forms::Shape& shape, QWidget* parent) : QWidget(parent), shape_(shape) {
        setAutoFillBackground(false);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(ToQColor(shape_.BorderColor(), palette()));
        if (shape_.FillStyle() == forms::FillStyle::Solid) {
            painter.setBrush(ToQColor(shape_.FillColor(), palette()));
        }
        Draw(painter, Figure());
    }

  private:
    // The area of the figure: square figures take the largest centred square.
    QRectF Figure() const {
        QRectF area = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
        const auto type = shape_.ShapeType();
        if (type == forms::ShapeType::Square || type == forms::ShapeType::Circle ||
            type == forms::ShapeType::RoundedSquare) {
            const double side = std::min(area.width(), area.height());
            area = QRectF(area.center().x() - side / 2, area.center().y() - side / 2, side, side);
        }
        return area;
    }

    void Draw(QPainter& painter, const QRectF& area) const {
        switch (shape_.ShapeType()) {
            case forms::ShapeType::Oval:
            case forms::ShapeType::Circle:
                painter.drawEllipse(area);
                break;
            case forms::ShapeType::RoundedRectangle:
            case forms::ShapeType::RoundedSquare: {
                const double radius = std::min(area.width(), area.height()) / 6;
                painter.drawRoundedRect(area, radius, radius);
                break;
            }
            default:
                painter.drawRect(area);
                break;
        }
    }

    forms::Shape& shape_;
};

class ShapeView final : public ControlView {
  public:
    ShapeView(forms::Shape& shape, QWidget* parent)
        : ControlView(shape, new ShapeSurface(shape, parent)) {
        widget()->setAttribute(Qt::WA_TransparentForMouseEvents);
    }

  protected:
    void ApplyOwn(forms::Property, int) override { widget()->update(); }
    void ApplyAllOwn() override { widget()->update(); }
    void ApplyColors() override { widget()->update(); }
};

}  // namespace

std::unique_ptr<ControlView> MakeFrameView(forms::Frame& frame, QWidget* parent) {
    return std::make_unique<FrameView>(frame, parent);
}

std::unique_ptr<ControlView> MakePictureBoxView(forms::PictureBox& box, QWidget* parent) {
    return std::make_unique<PictureBoxView>(box, parent);
}

std::unique_ptr<ControlView> MakeImageView(forms::Image& image, QWidget* parent) {
    return std::make_unique<ImageView>(image, parent);
}

std::unique_ptr<ControlView> MakeShapeView(forms::Shape& shape, QWidget* parent) {
    return std::make_unique<ShapeView>(shape, parent);
}

}  // namespace frontend
