// The schedule's date and time pickers as the user meets them: an empty picker, ticked with the
// mouse, shows today's date and the time now.
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QPushButton>
#include <QTest>
#include <algorithm>

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

    // A left click at the middle of what the widget draws, sent to its window so that Qt finds the
    // receiver. A check box draws its box and caption at its left.
    static void ClickWithMouse(QWidget& widget) {
        QWidget& window = *widget.window();
        const QPoint middle(std::min(widget.width(), widget.sizeHint().width()) / 2,
                            widget.height() / 2);
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, Qt::NoModifier,
                          widget.mapTo(&window, middle));
    }

    // The field shows the moment the test checks it, give or take the seconds the test took.
    static void ExpectShowsNow(const QDateTimeEdit& field) {
        EXPECT_LE(std::abs(field.dateTime().time().secsTo(QTime::currentTime())), 5)
            << field.text().toStdString();
    }
};

TEST_F(SchedulePickers, ATickedEmptyPickerShowsTodayAndTheTimeNow) {
    forms::DTPicker& date = main->dtpScheduleDate;
    forms::DTPicker& time = main->dtpScheduleTime;
    QPushButton& apply = WidgetOf<QPushButton>(main->CmdProceed);
    main->LoadScheduleSettings();  // nothing applied yet: "Daily", the pickers empty
    ClickWithMouse(WidgetOf<QCheckBox>(main->chkAutomaticScanYesOrNo));
    ASSERT_EQ(main->chkAutomaticScanYesOrNo.Value(), forms::kChecked);
    ClickWithMouse(TickOf(time));
    ExpectShowsNow(FieldOf(time));

    // A one-time schedule on another day, applied; then "Never", which empties both pickers.
    main->cmbDays.SetListIndex(kScheduleDateAndTime);
    ClickWithMouse(TickOf(date));
    FieldOf(date).setDate(QDate(2006, 3, 17));
    ClickWithMouse(apply);
    main->cmbDays.SetListIndex(kScheduleNever);
    ClickWithMouse(apply);
    ASSERT_EQ(GetOptionSetting("Date", ""), "Null");

    main->cmbDays.SetListIndex(kScheduleDateAndTime);
    ClickWithMouse(TickOf(date));
    ClickWithMouse(TickOf(time));
    ASSERT_TRUE(date.Value() && time.Value());
    EXPECT_EQ(FieldOf(date).text().toStdString(),
              QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")).toStdString());
    ExpectShowsNow(FieldOf(time));
}

}  // namespace
