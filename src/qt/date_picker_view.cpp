#include <QCheckBox>
#include <QDateTimeEdit>
#include <QHBoxLayout>
#include <QSignalBlocker>

#include "forms/date_picker.h"
#include "qt/date_formats.h"
#include "qt/views.h"

// Date and time pickers. The tick beside the field says whether the picker holds a value: an empty
// ("Null") value shows unticked with the field greyed.
namespace frontend {
namespace {

class DatePickerView final : public ControlView {
  public:
    DatePickerView(forms::DTPicker& picker, QWidget* parent)
        : ControlView(picker, new QWidget(parent)), picker_(picker) {
        auto* layout = new QHBoxLayout(widget());
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(2);
        hasValue_ = new QCheckBox;
        // Until the picker first holds a value it shows the moment it was made, as the desktop's
        // own picker does; emptied, it keeps showing its last value.
        field_ = new QDateTimeEdit(QDateTime::currentDateTime());
        layout->addWidget(hasValue_);
        layout->addWidget(field_, 1);
        ForwardMouseFrom(field_);
        QObject::connect(hasValue_, &QCheckBox::clicked, this, [this] { TakeUserValue(); });
        QObject::connect(field_, &QDateTimeEdit::dateTimeChanged, this,
                         [this] { TakeUserValue(); });
    }

  protected:
    void ApplyOwn(forms::Property property, int) override {
        using forms::Property;
        if (property == Property::Value || property == Property::DateFormat ||
            property == Property::CustomFormat) {
            ApplyAllOwn();
        }
    }

    void ApplyAllOwn() override {
        const QSignalBlocker quietField(field_);
        const QSignalBlocker quietTick(hasValue_);
        field_->setDisplayFormat(QtDateFormat(picker_.Format(), picker_.CustomFormat()));
        const auto& value = picker_.Value();
        hasValue_->setChecked(value.has_value());
        field_->setEnabled(value.has_value());
        if (value) {
            field_->setDateTime(ToQDateTime(*value));
        }
    }

  private:
    // The user's value raises Change (when it differs) and Click.
    void TakeUserValue() {
        std::optional<platform::DateTime> value;
        if (hasValue_->isChecked()) {
            value = FromQDateTime(field_->dateTime());
        }
        if (FromUser([&] {
                picker_.UserSetValue(value);
                picker_.Click();
            })) {
            ApplyAllOwn();
        }
    }

    forms::DTPicker& picker_;
    QCheckBox* hasValue_;
    QDateTimeEdit* field_;
};

}  // namespace

std::unique_ptr<ControlView> MakeDatePickerView(forms::DTPicker& picker, QWidget* parent) {
    return std::make_unique<DatePickerView>(picker, parent);
}

}  // namespace frontend
