#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>

#include "forms/list_boxes.h"
#include "qt/views.h"

// Combo boxes and list boxes. The user's choice of an entry goes to SetListIndex (which raises
// Click); text typed into a drop-down combo goes to SetText.
namespace frontend {
namespace {

QStringList EntriesOf(const forms::ListControl& list) {
    QStringList entries;
    entries.reserve(list.ListCount());
    for (int i = 0; i < list.ListCount(); ++i) {
        entries.append(QString::fromStdString(list.List(i)));
    }
    return entries;
}

class ComboBoxView final : public ControlView {
  public:
    ComboBoxView(forms::ComboBox& box, QWidget* parent)
        : ControlView(box, new QComboBox(parent)), box_(box) {
        shown().setInsertPolicy(QComboBox::NoInsert);
        QObject::connect(&shown(), &QComboBox::activated, this, [this](int index) {
            if (FromUser([&] { box_.SetListIndex(index); })) {
                ShowSelection();
            }
        });
    }

  protected:
    void ApplyOwn(forms::Property property, int item) override {
        using forms::Property;
        switch (property) {
            case Property::ComboStyle:
                ApplyStyle();
                break;
            case Property::ListEntries:
                ShowEntries();
                break;
            // One entry at a time: a list filled entry by entry fills in linear time.
            case Property::ListEntryAdded: {
                const QSignalBlocker quiet(shown());
                shown().insertItem(item, QString::fromStdString(box_.List(item)));
                ShowSelection();  // a combo box selects the first entry it gets
                break;
            }
            case Property::ListEntryRemoved: {
                const QSignalBlocker quiet(shown());
                shown().removeItem(item);
                ShowSelection();
                break;
            }
            case Property::ListIndex:
            case Property::Text:
                ShowSelection();
                break;
            default:
                break;
        }
    }

    void ApplyAllOwn() override {
        ApplyStyle();
        ShowEntries();
    }

  private:
    QComboBox& shown() const { return *static_cast<QComboBox*>(widget()); }

    void ApplyStyle() {
        const bool editable = box_.Style() != forms::ComboStyle::DropDownList;
        if (shown().isEditable() == editable) {
            return;
        }
        shown().setEditable(editable);
        if (editable) {
            ForwardMouseFrom(shown().lineEdit());
            QObject::connect(shown().lineEdit(), &QLineEdit::textEdited, this,
                             [this](const QString& text) {
                                 FromUser([&] { box_.SetText(text.toStdString()); });
                             });
        }
        ShowSelection();
    }

    void ShowEntries() {
        const QSignalBlocker quiet(shown());
        shown().clear();
        shown().addItems(EntriesOf(box_));
        ShowSelection();
    }

    void ShowSelection() {
        const QSignalBlocker quiet(shown());
        shown().setCurrentIndex(box_.ListIndex());
        const QString text = QString::fromStdString(box_.Text());
        if (shown().isEditable() && shown().currentText() != text) {
            shown().setEditText(text);
        }
    }

    forms::ComboBox& box_;
};

class ListBoxView final : public ControlView {
  public:
    ListBoxView(forms::ListBox& box, QWidget* parent)
        : ControlView(box, new QListWidget(parent)), box_(box) {
        ForwardMouseFrom(shown().viewport());
        QObject::connect(&shown(), &QListWidget::currentRowChanged, this, [this](int row) {
            if (row != box_.ListIndex() && FromUser([&] { box_.SetListIndex(row); })) {
                ShowSelection();
            }
        });
    }

  protected:
    void ApplyOwn(forms::Property property, int item) override {
        const QSignalBlocker quiet(shown());
        if (property == forms::Property::ListEntries) {
            ApplyAllOwn();
        } else if (property == forms::Property::ListEntryAdded) {
            shown().insertItem(item, QString::fromStdString(box_.List(item)));
            ShowSelection();
        } else if (property == forms::Property::ListEntryRemoved) {
            delete shown().takeItem(item);
            ShowSelection();
        } else if (property == forms::Property::ListIndex) {
            ShowSelection();
        }
    }

    void ApplyAllOwn() override {
        const QSignalBlocker quiet(shown());
        shown().clear();
        shown().addItems(EntriesOf(box_));
        ShowSelection();
    }

  private:
    QListWidget& shown() const { return *static_cast<QListWidget*>(widget()); }

    void ShowSelection() {
        const QSignalBlocker quiet(shown());
        shown().setCurrentRow(box_.ListIndex());
    }

    forms::ListBox& box_;
};

}  // namespace

std::unique_ptr<ControlView> MakeComboBoxView(forms::ComboBox& box, QWidget* parent) {
    return std::make_unique<ComboBoxView>(box, parent);
}

std::unique_ptr<ControlView> MakeListBoxView(forms::ListBox& box, QWidget* parent) {
    return std::make_unique<ListBoxView>(box, parent);
}

}  // namespace frontend
