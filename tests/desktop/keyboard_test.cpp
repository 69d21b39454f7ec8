// The keyboard on the options pages, pressed through the X server: the time picker edits the
// section the user is in, and Space on "Send anonymous data..." is asked about and saved like a
// click.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QWindow>

#include "desktop/program_on_display.h"
#include "platform/us_date.h"
#include "qt/control_widget.h"
#include "ui/frm_main.h"

namespace {

using namespace std::chrono_literals;

class KeyboardOnTheDesktop : public desktop::ProgramOnDisplayTest {
  protected:
    void StartOnOptionsPage(int tab, std::initializer_list<desktop::StoredSetting> settings) {
        ASSERT_TRUE(StartProgram(settings));
        ShowOptionsPage(tab);
    }

    void ShowOptionsPage(int tab) {
        FrmMainForm& main = FrmMain();
        main.cmdSettings.Click();
        main.TabStrip1.Select(tab);
        display->Activate(program->WindowOf(main));
    }

    template <class W>
    W& WidgetOf(const forms::Control& control) {
        return frontend_test::WidgetOf<W>(program->host().renderer(), control);
    }

    // Where the middle of the characters [first, first + count) of the field's text is.
    QPoint TextAt(QDateTimeEdit& field, int first, int count) {
        const QLineEdit& line = *field.findChild<QLineEdit*>();
        const QFontMetrics metrics(line.font());
        const QString text = line.text();
        const int left = metrics.horizontalAdvance(text.left(first));
        const int width = metrics.horizontalAdvance(text.mid(first, count));
        const QMargins margins = line.textMargins();
        return line.mapToGlobal(QPoint(margins.left() + 2 + left + width / 2, line.height() / 2));
    }

    // The time the picker holds, as the schedule stores and compares it.
    std::string PickerTime() {
        const auto& value = FrmMain().dtpScheduleTime.Value();
        if (!value) {
            return "empty";
        }
        return platform::FormatTime24(*value);
    }

    void Settle() { program->RunFor(150ms); }
};

TEST_F(KeyboardOnTheDesktop, ArrowsSpinButtonsAndTypingChangeOnlyTheSectionTheUserIsIn) {
    StartOnOptionsPage(3, {{"OptionAndSettings", "chkAutomaticScanYesOrNo", "1"},
                           {"OptionAndSettings", "Day", "7"},
                           {"OptionAndSettings", "Time", "4:23:01 PM"},
                           {"OptionAndSettings", "Date", "Null"}});
    QDateTimeEdit& field = WidgetOf<QDateTimeEdit>(FrmMain().dtpScheduleTime);
    ASSERT_EQ(PickerTime(), "16:23:01");

    display->Click(TextAt(field, 3, 2));  // the minutes
    display->Key("Up");
    display->Key("Up");
    Settle();
    EXPECT_EQ(PickerTime(), "16:25:01") << "Up twice on the minutes";

    display->Click(TextAt(field, 6, 2));  // the seconds
    display->Key("Down");
    Settle();
    EXPECT_EQ(PickerTime(), "16:25:00") << "Down on the seconds";

    display->Click(TextAt(field, 0, 2));  // the hours
    display->Type("09:12:19");            // the field moves on by itself after two digits, too
    Settle();
    EXPECT_EQ(PickerTime(), "09:12:19") << "typed from the hours";

    display->Click(TextAt(field, 3, 2));  // the minutes, then the spin button's upper arrow
    const QPoint upArrow = field.mapToGlobal(QPoint(field.width() - 6, field.height() / 4));
    display->Click(upArrow);
    Settle();
    EXPECT_EQ(PickerTime(), "09:13:19") << "the spin button on the minutes";

    display->Click(program->CentreOf(FrmMain().CmdProceed));
    EXPECT_TRUE(program->RunUntil([] {
        return desktop::Setting("OptionAndSettings", "Time") == "9:13:19 AM";
    })) << desktop::Setting("OptionAndSettings", "Time");
}

TEST_F(KeyboardOnTheDesktop, SpaceUnticksSendAnonymousDataAsksAndTheAnswerHoldsAfterARestart) {
    StartOnOptionsPage(4, {});
    QCheckBox& box = WidgetOf<QCheckBox>(FrmMain().chkSendData);
    ASSERT_TRUE(box.isChecked());
    // The box takes the keyboard as Tab would give it; the question that comes is answered Yes by
    // a click on its button once it is on the screen, and again while it stays: a busy X server
    // may let a click go, and the question waits for ever.
    box.setFocus(Qt::TabFocusReason);
    bool asked = false;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* question = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (question != nullptr && question->windowHandle() != nullptr &&
            question->windowHandle()->isExposed()) {
            asked = true;
            QAbstractButton* yes = question->button(QMessageBox::Yes);
            display->Click(yes->mapToGlobal(yes->rect().center()));
        }
    });
    answer.start(500);
    display->Key("space");
    ASSERT_TRUE(program->RunUntil([&] { return asked && !box.isChecked(); }));
    answer.stop();
    EXPECT_TRUE(program->RunUntil(
        [] { return desktop::Setting("OptionAndSettings", "chkSendData") == "0"; }));

    ASSERT_TRUE(program->Restart());
    EXPECT_EQ(FrmMain().chkSendData.Value(), forms::kUnchecked);
    EXPECT_EQ(desktop::Setting("OptionAndSettings", "chkSendData"), "0");
}

}  // namespace
