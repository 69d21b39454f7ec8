// What the user does on a widget reaches the model through the control's own input methods.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedLayout>
#include <QTabBar>
#include <QTreeView>
#include <QWindow>

#include "qt_fixture.h"
#include "test_windows.h"

namespace {

class UserInputTest : public QtHostTest {
  protected:
    GalleryForm& ShownGallery() {
        GalleryForm& form = frmGallery();
        form.Show();
        form.events.clear();
        return form;
    }

    // Presses and releases the left button at a point of the widget, as the mouse would.
    static void ClickWithMouse(QWidget& widget, QPointF at,
                               Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QMouseEvent press(QEvent::MouseButtonPress, at, widget.mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, modifiers);
        QMouseEvent release(QEvent::MouseButtonRelease, at, widget.mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, modifiers);
        QApplication::sendEvent(&widget, &press);
        QApplication::sendEvent(&widget, &release);
    }

    // Types text into an editor key by key, as the keyboard would.
    static void Type(QWidget& editor, const QString& text) {
        for (QChar character : text) {
            const int key =
                character == '\n' ? int(Qt::Key_Return) : int(character.toUpper().unicode());
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier,
                            character == '\n' ? QStringLiteral("\r") : QString(character));
            QApplication::sendEvent(&editor, &press);
        }
    }

    static QLineEdit& LineEditor(QWidget& box) { return *box.findChild<QLineEdit*>(); }
};

TEST_F(UserInputTest, ButtonCheckBoxAndOptionClicksRaiseTheModelsClick) {
    GalleryForm& form = ShownGallery();
    WidgetOf<QPushButton>(form.cmdGo).click();
    WidgetOf<QCheckBox>(form.chkLog).click();
    WidgetOf<QCheckBox>(form.chkLog).click();
    WidgetOf<QRadioButton>(form.optQuick).click();
    EXPECT_EQ(form.events, (std::vector<std::string>{"cmdGo_Click", "chkLog_Click 1",
                                                     "chkLog_Click 0", "optQuick_Click"}));
    EXPECT_EQ(form.chkLog.Value(), forms::kUnchecked);
    EXPECT_TRUE(form.optQuick.Value());
    EXPECT_FALSE(WidgetOf<QRadioButton>(form.optFull).isChecked());

    // A click on the selected option keeps it selected, as the model says.
    WidgetOf<QRadioButton>(form.optQuick).click();
    EXPECT_TRUE(WidgetOf<QRadioButton>(form.optQuick).isChecked());

    // A grayed box becomes unchecked on a click, whatever Qt's tristate cycle would do.
    form.chkLog.SetValue(forms::kGrayed);
    WidgetOf<QCheckBox>(form.chkLog).click();
    EXPECT_EQ(form.chkLog.Value(), forms::kUnchecked);
    EXPECT_EQ(WidgetOf<QCheckBox>(form.chkLog).checkState(), Qt::Unchecked);
}

TEST_F(UserInputTest, MouseButtonsAndShiftReachMouseDownBeforeClick) {
    GalleryForm& form = ShownGallery();
    form.cmdGo.OnMouseDown = [&form](int button, int shift, double x, double y) {
        form.events.push_back("MouseDown " + std::to_string(button) + " " + std::to_string(shift) +
                              " " + std::to_string(static_cast<int>(x)) + " " +
                              std::to_string(static_cast<int>(y)));
    };
    ClickWithMouse(WidgetOf<QPushButton>(form.cmdGo), QPointF(4, 6), Qt::ShiftModifier);
    EXPECT_EQ(form.events, (std::vector<std::string>{"MouseDown 1 1 60 90", "cmdGo_Click"}));
}

TEST_F(UserInputTest, ACheckBoxHasItsNewValueWhenItsMouseUpRuns) {
    GalleryForm& form = ShownGallery();
    form.chkLog.OnMouseUp = [&form](int, int, double, double) {
        form.events.push_back("chkLog_MouseUp " + std::to_string(form.chkLog.Value()));
    };
    QCheckBox& box = WidgetOf<QCheckBox>(form.chkLog);
    ClickWithMouse(box, box.rect().center());
    EXPECT_EQ(form.events, (std::vector<std::string>{"chkLog_Click 1", "chkLog_MouseUp 1"}));
    EXPECT_EQ(box.checkState(), Qt::Checked) << "the release is taken once";
}

TEST_F(UserInputTest, MouseMovementReachesTheControlUnderItOrElseTheForm) {
    GalleryForm& form = ShownGallery();
    form.lblTitle.OnMouseMove = [&form](int, int, double x, double) {
        form.events.push_back("lblTitle_MouseMove " + std::to_string(static_cast<int>(x)));
    };
    const auto move = [](QWidget& widget, QPointF at) {
        QMouseEvent event(QEvent::MouseMove, at, widget.mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(&widget, &event);
    };
    move(WidgetOf<QLabel>(form.lblTitle), QPointF(2, 2));
    move(*WindowOf(form).centralWidget(), QPointF(513, 300));
    EXPECT_EQ(form.events,
              (std::vector<std::string>{"lblTitle_MouseMove 30", "Form_MouseMove 7695"}));
}

TEST_F(UserInputTest, EnterPressesTheDefaultButtonAndEscapeTheCancelButton) {
    GalleryForm& form = ShownGallery();
    form.cmdGo.SetDefault(true);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(&WindowOf(form), &enter);
    EXPECT_EQ(form.events, std::vector<std::string>{"cmdGo_Click"});

    NoteForm& note = frmNote();
    note.cmdOk.SetCancel(true);
    note.Show();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&WindowOf(note), &escape);
    EXPECT_FALSE(note.Visible());  // its OK hides it
}

TEST_F(UserInputTest, DisabledControlsTakeNoClick) {
    GalleryForm& form = ShownGallery();
    form.cmdGo.SetEnabled(false);
    WidgetOf<QPushButton>(form.cmdGo).click();
    EXPECT_TRUE(form.events.empty());
}

TEST_F(UserInputTest, TickingARowRaisesItemCheckAndOnlyTheUsersTickDoes) {
    GalleryForm& form = ShownGallery();
    form.lvwFound.ListItems.Add("Cool Search");
    form.lvwFound.ListItems.Add("Tracker");
    form.lvwFound.ListItems(1).SetChecked(true);  // code: no ItemCheck
    ProcessEvents();
    QAbstractItemModel& rows = *WidgetOf<QTreeView>(form.lvwFound).model();
    ASSERT_TRUE(rows.flags(rows.index(1, 0)) & Qt::ItemIsUserCheckable);
    rows.setData(rows.index(1, 0), Qt::Checked, Qt::CheckStateRole);
    rows.setData(rows.index(0, 0), Qt::Unchecked, Qt::CheckStateRole);
    EXPECT_EQ(form.events,
              (std::vector<std::string>{"lvwFound_ItemCheck 2 on", "lvwFound_ItemCheck 1 off"}));
    EXPECT_TRUE(form.lvwFound.ListItems(2).Checked());
    EXPECT_EQ(rows.index(1, 0).data(Qt::CheckStateRole).toInt(), Qt::Checked);
}

TEST_F(UserInputTest, TabsComboEntriesAndMenuItemsRaiseClick) {
    GalleryForm& form = ShownGallery();
    QTabBar& tabs = WidgetOf<QTabBar>(form.TabStrip1);
    emit tabs.tabBarClicked(2);
    emit tabs.tabBarClicked(2);  // the selected tab again: Click again
    tabs.setCurrentIndex(3);     // the keyboard moves the selection
    EXPECT_EQ(form.TabStrip1.SelectedIndex(), 4);
    EXPECT_EQ(tabs.currentIndex(), 3);

    QComboBox& days = WidgetOf<QComboBox>(form.cmbDays);
    emit days.activated(1);
    EXPECT_EQ(form.cmbDays.Text(), "Tuesday");

    QMenu& file = *WindowOf(form).menuBar()->actions().front()->menu();
    file.actions()[3]->trigger();
    EXPECT_EQ(form.events, (std::vector<std::string>{"TabStrip1_Click 3", "TabStrip1_Click 3",
                                                     "TabStrip1_Click 4", "cmbDays_Click 1",
                                                     "mnuFileItem_Click 3"}));
}

TEST_F(UserInputTest, TypedKeysGoThroughKeyPressAndChange) {
    GalleryForm& form = ShownGallery();
    form.txtName.SetText("");
    form.events.clear();
    form.swallowKey = 'x';
    QLineEdit& editor = LineEditor(WidgetOf<QWidget>(form.txtName));
    Type(editor, "axb");
    EXPECT_EQ(form.txtName.Text(), "ab");
    EXPECT_EQ(editor.text(), "ab");
    EXPECT_EQ(form.events, (std::vector<std::string>{"txtName_KeyPress 97", "txtName_Change",
                                                     "txtName_KeyPress 120", "txtName_KeyPress 98",
                                                     "txtName_Change"}));

    // A handler may turn the key into another one.
    form.txtName.OnKeyPress = [](int& key) { key = key == 'a' ? 'A' : key; };
    Type(editor, "a");
    EXPECT_EQ(form.txtName.Text(), "abA");
}

TEST_F(UserInputTest, MultiLineTextTravelsWithCrLfLineEnds) {
    GalleryForm& form = ShownGallery();
    auto& box = WidgetOf<QWidget>(form.txtNotes);
    auto& editor = *box.findChild<QPlainTextEdit*>();
    EXPECT_EQ(static_cast<QStackedLayout*>(box.layout())->currentWidget(), &editor);
    EXPECT_EQ(editor.toPlainText(), "first line\nsecond line");
    EXPECT_TRUE(editor.isReadOnly());

    form.txtNotes.SetLocked(false);
    form.txtNotes.SetText("");
    editor.setFocus();
    Type(editor, "one\ntwo");
    EXPECT_EQ(form.txtNotes.Text(), "one\r\ntwo");
}

TEST_F(UserInputTest, ADatePickerTakesAValueOrNoneFromTheUser) {
    GalleryForm& form = ShownGallery();
    QWidget& picker = WidgetOf<QWidget>(form.dtpWhen);
    auto& field = *picker.findChild<QDateTimeEdit*>();
    auto& hasValue = *picker.findChild<QCheckBox*>();
    EXPECT_EQ(field.text(), "16/03/2006");

    field.setDate(QDate(2006, 4, 1));
    ASSERT_TRUE(form.dtpWhen.Value());
    EXPECT_EQ(*form.dtpWhen.Value(), (platform::DateTime{2006, 4, 1, 0, 0, 0}));
    hasValue.click();
    EXPECT_FALSE(form.dtpWhen.Value());
    EXPECT_TRUE(field.isReadOnly());
    EXPECT_EQ(form.events, (std::vector<std::string>{"dtpWhen_Change", "dtpWhen_Change"}));
    // Empty is not disabled: the field looks different.
    const QImage empty = field.grab().toImage();
    form.dtpWhen.SetEnabled(false);
    EXPECT_NE(field.grab().toImage(), empty);
    form.dtpWhen.SetEnabled(true);

    form.dtpWhen.SetValue(platform::DateTime{2007, 1, 2, 0, 0, 0});  // code: no Change
    EXPECT_TRUE(hasValue.isChecked());
    EXPECT_EQ(field.text(), "02/01/2007");
    EXPECT_EQ(form.events.size(), 2u);
}

TEST_F(UserInputTest, TextTypedIntoADropDownComboIsItsText) {
    GalleryForm& form = ShownGallery();
    form.cmbDays.SetStyle(forms::ComboStyle::DropDownCombo);
    QComboBox& combo = WidgetOf<QComboBox>(form.cmbDays);
    ASSERT_TRUE(combo.isEditable());
    Type(*combo.lineEdit(), "Tue");
    EXPECT_EQ(form.cmbDays.Text(), "Tue");
    EXPECT_EQ(form.cmbDays.ListIndex(), -1);
    Type(*combo.lineEdit(), "sday");
    EXPECT_EQ(form.cmbDays.ListIndex(), 1);  // the text names an entry
    EXPECT_TRUE(form.events.empty());        // typing is no Click
}

TEST_F(UserInputTest, TheCloseBoxAsksTheFormWhichMayRefuse) {
    GalleryForm& form = ShownGallery();
    WindowOf(form).close();
    EXPECT_EQ(form.events.front(), "QueryUnload 0");
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_FALSE(forms::IsLoaded<GalleryForm>());
}

TEST_F(UserInputTest, AWindowUnloadedByItsOwnButtonGoesSafely) {
    GalleryForm& form = ShownGallery();
    form.unloadOnGo = true;
    QPointer<QPushButton> button = &WidgetOf<QPushButton>(form.cmdGo);
    QPointer<frontend::FormWindow> window = &WindowOf(form);
    button->click();
    EXPECT_FALSE(forms::IsLoaded<GalleryForm>());
    EXPECT_TRUE(window);  // still there: its handler was running
    EXPECT_FALSE(window->isVisible());
    ProcessEvents();
    ProcessEvents();
    EXPECT_FALSE(window);
    EXPECT_FALSE(button);
}

TEST_F(UserInputTest, ResizingTheWindowResizesTheForm) {
    GalleryForm& form = ShownGallery();
    frontend::FormWindow& window = WindowOf(form);
    ASSERT_TRUE(RunUntil([&] { return window.windowHandle()->isExposed(); }))
        << "the user resizes a window on the screen";
    window.resize(window.width() + 30, window.height() + 15);
    ProcessEvents();
    EXPECT_DOUBLE_EQ(form.Width(), 9600 + 30 * 15);
    EXPECT_DOUBLE_EQ(form.Height(), 8400 + 15 * 15);
    EXPECT_EQ(form.events, std::vector<std::string>{"Resize"});
}

}  // namespace
