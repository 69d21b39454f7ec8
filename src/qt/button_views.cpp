#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

#include "forms/buttons.h"
#include "qt/pictures.h"
#include "qt/views.h"

// Command buttons, check boxes and option buttons. A click goes to the control's Click(), and the
// widget then shows the value the model settled on (the model, not the widget, decides what a
// click on a checked option button or a grayed check box does).
namespace frontend {
namespace {

class CommandButtonView final : public ControlView {
  public:
    CommandButtonView(forms::CommandButton& button, QWidget* parent)
        : ControlView(button, new QPushButton(parent)), button_(button) {
        QObject::connect(&shown(), &QPushButton::clicked, this,
                         [this] { FromUser([this] { button_.Click(); }); });
    }

  protected:
    void ApplyOwn(forms::Property property, int) override {
        using forms::Property;
        if (property == Property::Caption) {
            shown().setText(AsWritten(button_.Caption()));
        } else if (property == Property::Picture || property == Property::ButtonStyle) {
            ApplyPicture();
        } else if (property == Property::Default) {
            shown().setDefault(button_.Default());
        }
    }

    void ApplyAllOwn() override {
        shown().setText(AsWritten(button_.Caption()));
        shown().setDefault(button_.Default());
        ApplyPicture();
    }

  private:
    QPushButton& shown() const { return *static_cast<QPushButton*>(widget()); }

    // Only a graphical button shows its picture (and its back colour, through the palette).
    void ApplyPicture() {
        const bool graphical = button_.Style() == forms::ButtonStyle::Graphical;
        shown().setIcon(graphical ? IconOf(button_.Picture()) : QIcon());
        const QPixmap picture = graphical ? PictureOf(button_.Picture()) : QPixmap();
        shown().setIconSize(picture.isNull() ? QSize(16, 16) : picture.size());
    }

    forms::CommandButton& button_;
};

class CheckBoxView final : public ControlView {
  public:
    CheckBoxView(forms::CheckBox& box, QWidget* parent)
        : ControlView(box, new QCheckBox(parent)), box_(box) {
        shown().setTristate(true);
        QObject::connect(&shown(), &QCheckBox::clicked, this, [this] {
            if (FromUser([this] { box_.Click(); })) {
                ShowValue();
            }
        });
    }

  protected:
    void ApplyOwn(forms::Property property, int) override {
        if (property == forms::Property::Caption) {
            shown().setText(AsWritten(box_.Caption()));
        } else if (property == forms::Property::Value) {
            ShowValue();
        }
    }

    void ApplyAllOwn() override {
        shown().setText(AsWritten(box_.Caption()));
        ShowValue();
    }

  private:
    QCheckBox& shown() const { return *static_cast<QCheckBox*>(widget()); }

    void ShowValue() {
        const int value = box_.Value();
        shown().setCheckState(value == forms::kChecked  ? Qt::Checked
                              : value == forms::kGrayed ? Qt::PartiallyChecked
                                                        : Qt::Unchecked);
    }

    forms::CheckBox& box_;
};

class OptionButtonView final : public ControlView {
  public:
    OptionButtonView(forms::OptionButton& button, QWidget* parent)
        : ControlView(button, new QRadioButton(parent)), button_(button) {
        // The model clears the partners of a group; Qt's own grouping would fight it.
        shown().setAutoExclusive(false);
        QObject::connect(&shown(), &QRadioButton::clicked, this, [this] {
            if (FromUser([this] { button_.Click(); })) {
                shown().setChecked(button_.Value());
            }
        });
    }

  protected:
    void ApplyOwn(forms::Property property, int) override {
        if (property == forms::Property::Caption) {
            shown().setText(AsWritten(button_.Caption()));
        } else if (property == forms::Property::Value) {
            shown().setChecked(button_.Value());
        }
    }

    void ApplyAllOwn() override {
        shown().setText(AsWritten(button_.Caption()));
        shown().setChecked(button_.Value());
    }

  private:
    QRadioButton& shown() const { return *static_cast<QRadioButton*>(widget()); }
    forms::OptionButton& button_;
};

}  // namespace

std::unique_ptr<ControlView> MakeCommandButtonView(forms::CommandButton& button, QWidget* parent) {
    return std::make_unique<CommandButtonView>(button, parent);
}

std::unique_ptr<ControlView> MakeCheckBoxView(forms::CheckBox& box, QWidget* parent) {
    return std::make_unique<CheckBoxView>(box, parent);
}

std::unique_ptr<ControlView> MakeOptionButtonView(forms::OptionButton& button, QWidget* parent) {
    return std::make_unique<OptionButtonView>(button, parent);
}

}  // namespace frontend
