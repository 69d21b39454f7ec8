#include "forms/labels.h"
#include "qt/clickable_label.h"
#include "qt/units.h"
#include "qt/views.h"

namespace frontend {
namespace {

Qt::Alignment ToQtAlignment(forms::Alignment alignment) {
    switch (alignment) {
        case forms::Alignment::Right:
            return Qt::AlignRight | Qt::AlignTop;
        case forms::Alignment::Center:
            return Qt::AlignHCenter | Qt::AlignTop;
        default:
            return Qt::AlignLeft | Qt::AlignTop;
    }
}

// Labels and skin labels.
class LabelView final : public ControlView {
  public:
    LabelView(forms::LabelBase& label, QWidget* parent)
        : ControlView(label, new ClickableLabel(parent)), label_(label) {
        shown().setTextFormat(Qt::PlainText);
        shown().onClick = [this] { FromUser([this] { label_.Click(); }); };
    }

  protected:
    void ApplyOwn(forms::Property property, int) override {
        using forms::Property;
        switch (property) {
            case Property::Caption:
            case Property::AutoSize:
                shown().setText(QString::fromStdString(label_.Caption()));
                FitToCaption();
                break;
            case Property::Alignment:
                shown().setAlignment(ToQtAlignment(label_.Alignment()));
                break;
            case Property::WordWrap:
                shown().setWordWrap(label_.WordWrap());
                FitToCaption();
                break;
            default:
                break;
        }
    }

    void ApplyAllOwn() override {
        shown().setText(QString::fromStdString(label_.Caption()));
        shown().setAlignment(ToQtAlignment(label_.Alignment()));
        shown().setWordWrap(label_.WordWrap());
        FitToCaption();
    }

  private:
    ClickableLabel& shown() const { return *static_cast<ClickableLabel*>(widget()); }

    // An auto-sized label takes the size of its caption, as the model's Width and Height too.
    void FitToCaption() {
        if (!label_.AutoSize()) {
            return;
        }
        QSize size = shown().sizeHint();
        if (label_.WordWrap()) {
            size.setWidth(widget()->width());
            size.setHeight(shown().heightForWidth(widget()->width()));
        }
        FromUser([&] {
            label_.SetWidth(FromPixels(size.width(), TwipsPerUnit()));
            label_.SetHeight(FromPixels(size.height(), TwipsPerUnit()));
        });
    }

    forms::LabelBase& label_;
};

}  // namespace

std::unique_ptr<ControlView> MakeLabelView(forms::LabelBase& label, QWidget* parent) {
    return std::make_unique<LabelView>(label, parent);
}

}  // namespace frontend
