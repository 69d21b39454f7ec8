#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStackedLayout>

#include "forms/geometry.h"
#include "forms/text_box.h"
#include "qt/line_ends.h"
#include "qt/mouse_input.h"
#include "qt/views.h"

// Text boxes. A key the user types first goes to the box's KeyPress, which may swallow or replace
// it; what the editor then holds goes to the box's text, which raises Change.
namespace frontend {
namespace {

using forms::key::Backspace;
using forms::key::Escape;
using forms::key::Return;

// The character code of a typed key as KeyPress takes it; 0 for keys that type nothing.
int TypedCharacter(const QKeyEvent& event) {
    if (event.key() == Qt::Key_Backspace) {
        return Backspace;
    }
    if (const int code = ToKeyInput(event).keyCode; code == Return || code == Escape) {
        return code;
    }
    const QString text = event.text();
    if (text.isEmpty() || text.at(0).isNonCharacter() || text.at(0).unicode() < 32) {
        return 0;
    }
    return static_cast<int>(text.toUcs4().value(0));
}

class TextBoxView final : public ControlView {
  public:
    TextBoxView(forms::TextBox& box, QWidget* parent)
        : ControlView(box, new QWidget(parent)), box_(box) {
        auto* layout = new QStackedLayout(widget());
        layout->setContentsMargins(0, 0, 0, 0);
        line_ = new QLineEdit;
        lines_ = new QPlainTextEdit;
        layout->addWidget(line_);
        layout->addWidget(lines_);
        for (QWidget* editor : {static_cast<QWidget*>(line_), lines_->viewport()}) {
            ForwardMouseFrom(editor);
        }
        line_->installEventFilter(this);
        lines_->installEventFilter(this);
        QObject::connect(line_, &QLineEdit::textEdited, this,
                         [this](const QString& text) { TakeUserText(text); });
        QObject::connect(lines_, &QPlainTextEdit::textChanged, this, [this] {
            if (!showingModel_) {
                TakeUserText(lines_->toPlainText());
            }
        });
    }

  protected:
    void ApplyOwn(forms::Property property, int) override {
        using forms::Property;
        if (property == Property::Text) {
            ShowText();
        } else if (property == Property::MultiLine || property == Property::Locked ||
                   property == Property::ScrollBars) {
            ApplyAllOwn();
        }
    }

    void ApplyAllOwn() override {
        auto* layout = static_cast<QStackedLayout*>(widget()->layout());
        layout->setCurrentWidget(box_.MultiLine() ? static_cast<QWidget*>(lines_) : line_);
        line_->setReadOnly(box_.Locked());
        lines_->setReadOnly(box_.Locked());
        ApplyScrollBars();
        ShowText();
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && (watched == line_ || watched == lines_)) {
            return TakeKey(*static_cast<QKeyEvent*>(event));
        }
        return ControlView::eventFilter(watched, event);
    }

  private:
    void ApplyScrollBars() {
        const auto bars = box_.ScrollBars();
        const bool horizontal =
            bars == forms::ScrollBars::Horizontal || bars == forms::ScrollBars::Both;
        const bool vertical =
            bars == forms::ScrollBars::Vertical || bars == forms::ScrollBars::Both;
        lines_->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn
                                                        : Qt::ScrollBarAlwaysOff);
        lines_->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn
                                                    : Qt::ScrollBarAlwaysOff);
        // Without a horizontal scroll bar long lines wrap at the box's edge.
        lines_->setLineWrapMode(horizontal ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
    }

    // Shows the model's text unless the editor holds it already (so typing keeps its cursor).
    void ShowText() {
        const QString text = QString::fromStdString(ToEditorLineEnds(box_.Text()));
        showingModel_ = true;
        if (line_->text() != text) {
            line_->setText(text);
        }
        if (lines_->toPlainText() != text) {
            lines_->setPlainText(text);
        }
        showingModel_ = false;
    }

    void TakeUserText(const QString& text) {
        FromUser([&] { box_.SetText(ToProgramLineEnds(text.toStdString())); });
    }

    // True when the editor must not take the key itself.
    bool TakeKey(const QKeyEvent& event) {
        const int typed = TypedCharacter(event);
        if (typed == 0) {
            return false;
        }
        int taken = 0;
        if (!FromUser([&] { taken = box_.KeyPress(typed); })) {
            return true;
        }
        if (taken == typed) {
            return false;
        }
        if (taken != 0) {
            Insert(taken);
        }
        return true;
    }

    // A key the handler replaced is typed as the replacement.
    void Insert(int character) {
        if (character == Backspace || character == Escape) {
            return;
        }
        const char32_t code = static_cast<char32_t>(character);
        const QString text =
            character == Return ? QStringLiteral("\n") : QString::fromUcs4(&code, 1);
        if (box_.MultiLine()) {
            lines_->insertPlainText(text);
        } else if (character != Return) {
            line_->insert(text);
            TakeUserText(line_->text());
        }
    }

    forms::TextBox& box_;
    QLineEdit* line_;
    QPlainTextEdit* lines_;
    bool showingModel_ = false;
};

}  // namespace

std::unique_ptr<ControlView> MakeTextBoxView(forms::TextBox& box, QWidget* parent) {
    return std::make_unique<TextBoxView>(box, parent);
}

}  // namespace frontend
