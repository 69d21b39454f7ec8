// The schedule's date and time pickers as the user meets them: an empty picker, ticked with the
// mouse, shows today's date and the time now.
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QPushButton>
#include <QTest>

#include "engine/option_settings.h"
#include "engine/scheduler.h"
#include "main_window_fixture.h"

namespace {

class SchedulePickers : public QtMainWindowTest {
  protected:
    SchedulePickers() {
        main->cmdSettings.Click();
        main->TabStrip1.Select(3);  // Schedule
        ProcessEvents();
    }

    QCheckBox& TickOf(forms::DTPicker& picker) { return WidgetOf<QCheckBox>(picker); }
    QDateTimeEdit& FieldOf(forms::DTPicker& picker) { return WidgetOf<QDateTimeEdit>(picker); }

    // A left click at the middle of the widget, sent to its window so that Qt finds the receiver.
    static void ClickWithMouse(QWidget& widget) {
        QWidget& window = *widget.window();
        const QPoint middle = widget.mapTo(&window, widget.rect().center());
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, Qt::NoModifier, middle);
    }

    // The field shows the moment the test checks it, give or take the seconds the test took.
    static void ExpectShowsNow(const QDateTimeEdit& field) {
        EXPECT_LE(std::abs(field.dateTime().time().secsTo(QTime::currentTime())), 5)
            << field.text().toStdString();
    }
};

TEST_F(SchedulePickers, PickersEmptiedByApplyShowTodayAndTheTimeNowWhenTicked) {
    // A one-time schedule applied before, shown as at start-up.
    SaveOptionSetting("chkAutomaticScanYesOrNo", "1");
    SaveOptionSetting("Day", std::to_string(kScheduleDateAndTime));
    SaveOptionSetting("Date", "3/17/2006");
    SaveOptionSetting("Time", "9:00:00 AM");
    main->chkAutomaticScanYesOrNo.SetValue(forms::kChecked);
    main->LoadScheduleSettings();
    ASSERT_EQ(FieldOf(main->dtpScheduleDate).text(), "17/03/2006");

    // "Never" empties both pickers; applied, they are stored empty and loaded empty.
    main->cmbDays.SetListIndex(kScheduleNever);
    ClickWithMouse(WidgetOf<QPushButton>(main->CmdProceed));
    ASSERT_EQ(GetOptionSetting("Date", ""), "Null");
    ASSERT_EQ(GetOptionSetting("Time", ""), "Null");

    main->cmbDays.SetListIndex(kScheduleDateAndTime);
    ClickWithMouse(TickOf(main->dtpScheduleDate));
    ClickWithMouse(TickOf(main->dtpScheduleTime));
    ASSERT_TRUE(main->dtpScheduleDate.Value() && main->dtpScheduleTime.Value());
    EXPECT_EQ(FieldOf(main->dtpScheduleDate).text().toStdString(),
              QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")).toStdString());
    ExpectShowsNow(FieldOf(main->dtpScheduleTime));
}

TEST_F(SchedulePickers, OnAFirstScheduleTheTimePickerShowsTheTimeNowWhenTicked) {
    main->LoadScheduleSettings();  // nothing applied yet: "Daily", pickers empty
    ClickWithMouse(WidgetOf<QCheckBox>(main->chkAutomaticScanYesOrNo));
    ASSERT_TRUE(main->dtpScheduleTime.Enabled());

    ClickWithMouse(TickOf(main->dtpScheduleTime));
    ASSERT_TRUE(main->dtpScheduleTime.Value());
    ExpectShowsNow(FieldOf(main->dtpScheduleTime));
}

}  // namespace
