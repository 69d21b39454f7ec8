#include <QCheckBox>
#include <QCoreApplication>
#include <QDateTimeEdit>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

#include "forms/date_picker.h"
#include "qt/date_formats.h"
#include "qt/views.h"

// Date and time pickers. The tick beside the field says whether the picker holds a value: an empty
// ("Null") value shows unticked, its last value in grey on the field's own background, so that it
// never looks like a disabled picker. The section being edited (hours, minutes, ...) stays the
// one the user chose: the field is only told what it does not show already.
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
        // A click in the field selects the section under it, so that typing replaces that
        // section as on the desktop's own pickers.
        text_ = field_->findChild<QLineEdit*>();
        text_->installEventFilter(this);
        QObject::connect(hasValue_, &QCheckBox::clicked, this, [this] { TakeUserValue(); });
        // An empty picker's field only shows; ticking it takes what the field shows.
        QObject::connect(field_, &QDateTimeEdit::dateTimeChanged, this, [this] {
            if (hasValue_->isChecked()) {
                TakeUserValue();
            }
        });
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
        const QString format = QtDateFormat(picker_.Format(), picker_.CustomFormat());
        if (field_->displayFormat() != format) {
            field_->setDisplayFormat(format);
        }
        const auto& value = picker_.Value();
        hasValue_->setChecked(value.has_value());
        field_->setReadOnly(!value.has_value());
        QPalette palette = widget()->palette();
        if (!value) {
            for (const auto group : {QPalette::Active, QPalette::Inactive}) {
                palette.setColor(group, QPalette::Text,
                                 palette.color(QPalette::Disabled, QPalette::Text));
            }
        }
        field_->setPalette(palette);
        if (value && FromQDateTime(field_->dateTime()) != *value) {
            field_->setDateTime(ToQDateTime(*value));
        }
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == text_ && event->type() == QEvent::MouseButtonRelease && !selecting_) {
            // The field takes the release first (and places its cursor), then the section goes.
            selecting_ = true;
            const bool handled = ControlView::eventFilter(watched, event);
            selecting_ = false;
            field_->setSelectedSection(field_->currentSection());
            return handled;
        }
        if (watched == field_ && event->type() == QEvent::KeyPress && !typing_) {
            return TakeTypedKey(*static_cast<QKeyEvent*>(event));
        }
        return ControlView::eventFilter(watched, event);
    }

  private:
    // The field moves on to the next section once a section is typed in full; the separator the
    // user types after it (typing "16:12:19") then moves no further.
    bool TakeTypedKey(QKeyEvent& key) {
        const QString typed = key.text();
        if (typed.isEmpty()) {
            // An arrow moves on by itself; a shift key on its own changes nothing.
            const int pressed = key.key();
            movedOnByTyping_ =
                movedOnByTyping_ &&
                (pressed == Qt::Key_Shift || pressed == Qt::Key_Control || pressed == Qt::Key_Alt);
            return false;
        }
        const bool separator = typed.size() == 1 && (typed[0].isPunct() || typed[0].isSymbol());
        if (separator && movedOnByTyping_) {
            movedOnByTyping_ = false;
            return true;
        }
        const QDateTimeEdit::Section before = field_->currentSection();
        typing_ = true;
        QCoreApplication::sendEvent(field_, &key);
        typing_ = false;
        movedOnByTyping_ = typed[0].isDigit() && field_->currentSection() != before;
        return true;
    }

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
    QLineEdit* text_;
    bool typing_ = false;
    bool selecting_ = false;
    bool movedOnByTyping_ = false;
};

}  // namespace

std::unique_ptr<ControlView> MakeDatePickerView(forms::DTPicker& picker, QWidget* parent) {
    return std::make_unique<DatePickerView>(picker, parent);
}

}  // namespace frontend
