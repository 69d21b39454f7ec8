// The scan scheduler: the schedule page, what Apply and Reset store, and the scans the timer
// starts.
#include "engine/scheduler.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>

#include "engine/globals.h"
#include "foundation/definition_files.h"
#include "foundation/globals.h"
#include "options_fixture.h"

using namespace std::chrono_literals;
using platform::DateTime;

namespace {

// The test clock starts on Thursday, 3/16/2006, at 10:00:00 AM.
constexpr DateTime kThursday{2006, 3, 16, 10, 0, 0};
constexpr int kThursdayPosition = 3;
constexpr int kFridayPosition = 4;

DateTime TimeOfDay(int hour, int minute, int second) {
    return DateTime{1899, 12, 30, hour, minute, second};
}

class Scheduler : public OptionsTest {
  protected:
    Scheduler() {
        SwitchShieldsOff();
        // Scans look for named files only.
        StoreOption("chkScanCookies", "0");
        StoreOption("chkSweepMemory", "False");
        StoreOption("chkScanRegistry", "False");
        WriteDefinitions(kFileDefinitionFile, {"spy.exe=SpyBot|[drive]Spy"});
        WriteEveryDefinitionFile();
        // A scheduled scan shows the scan panel first; each showing is one scan started.
        Main().frmScan.SetVisible(false);
        Main().frmScan.Observe([this](const forms::Change& change) {
            if (change.property == forms::Property::Visible && Main().frmScan.Visible()) {
                autoRemoveAtEachScan.push_back(gAutoRemoveAfterScan);
            }
        });
    }

    int ScansStarted() const { return static_cast<int>(autoRemoveAtEachScan.size()); }

    // Sets the schedule page as the user does and applies it.
    void Apply(int position, std::optional<DateTime> time, std::optional<DateTime> date = {}) {
        FrmMainForm& main = Main();
        main.chkAutomaticScanYesOrNo.SetValue(forms::kChecked);
        main.cmbDays.SetListIndex(position);
        main.dtpScheduleDate.UserSetValue(date);
        main.dtpScheduleTime.UserSetValue(time);
        main.CmdProceed.Click();
    }

    // Runs the clock through the given second of a day (from the second before it).
    void RunThrough(const DateTime& day, int hour, int minute, int second) {
        host.SetNow(DateTime{day.year, day.month, day.day, hour, minute, second - 1});
        host.Advance(3s);
    }

    std::vector<bool> autoRemoveAtEachScan;
};

TEST_F(Scheduler, ADailyScheduleStartsOneScanAtItsSecondEveryDay) {
    Apply(kScheduleDaily, TimeOfDay(14, 30, 0));
    EXPECT_EQ(Option("Day"), "7");
    EXPECT_EQ(Option("Time"), "2:30:00 PM");
    EXPECT_EQ(Option("Date"), "Null");
    EXPECT_EQ(Option("chkAutomaticScanYesOrNo"), "1");
    EXPECT_TRUE(Main().tmrScheduler.Enabled());
    EXPECT_FALSE(Main().CmdProceed.Enabled());

    RunThrough(kThursday, 14, 29, 50);
    EXPECT_EQ(ScansStarted(), 0);
    // The scan ends within its second; the hundred ticks of that second start it once.
    RunThrough(kThursday, 14, 30, 0);
    EXPECT_EQ(ScansStarted(), 1);
    RunThrough(DateTime{2006, 3, 17}, 14, 30, 0);
    EXPECT_EQ(ScansStarted(), 2);
    EXPECT_EQ(autoRemoveAtEachScan, (std::vector<bool>{false, false}));
    EXPECT_FALSE(gAutoRemoveAfterScan);
}

TEST_F(Scheduler, AWeeklyScheduleStartsOnlyOnItsDay) {
    Apply(kFridayPosition, TimeOfDay(9, 0, 0));
    RunThrough(kThursday, 9, 0, 0);
    EXPECT_EQ(ScansStarted(), 0);
    RunThrough(DateTime{2006, 3, 17}, 9, 0, 0);
    EXPECT_EQ(ScansStarted(), 1);
    RunThrough(DateTime{2006, 3, 18}, 9, 0, 0);
    RunThrough(DateTime{2006, 3, 24}, 9, 0, 0);
    EXPECT_EQ(ScansStarted(), 2);
    EXPECT_EQ(ScheduledWeekday(kThursdayPosition), "THURSDAY");
    EXPECT_EQ(ScheduledWeekday(12), "MONDAY");
}

TEST_F(Scheduler, AOneTimeScheduleStartsOnceOnItsDateAndStaysStored) {
    Apply(kScheduleDateAndTime, TimeOfDay(8, 15, 30), DateTime{2006, 3, 17});
    EXPECT_EQ(Option("Date"), "3/17/2006");
    RunThrough(kThursday, 8, 15, 30);
    EXPECT_EQ(ScansStarted(), 0);
    RunThrough(DateTime{2006, 3, 17}, 8, 15, 30);
    EXPECT_EQ(ScansStarted(), 1);
    RunThrough(DateTime{2006, 3, 18}, 8, 15, 30);
    EXPECT_EQ(ScansStarted(), 1);
    EXPECT_EQ(Option("Day"), "8");
}

TEST_F(Scheduler, WithAutomaticRemovalAScheduledScanRemovesWhatItFoundWithoutAsking) {
    const auto spy = machine.prefix().WriteFile("Spy/spy.exe", "spy");
    Main().chkAutoDel.Click();
    Apply(kScheduleDaily, TimeOfDay(10, 0, 5));
    host.Advance(10s);
    EXPECT_EQ(autoRemoveAtEachScan, (std::vector<bool>{true}));
    EXPECT_FALSE(gAutoRemoveAfterScan);
    EXPECT_FALSE(std::filesystem::exists(spy));
    EXPECT_TRUE(std::filesystem::exists(program.path() / "quarantine"));
    EXPECT_TRUE(host.MsgBoxesShown().empty());
}

TEST_F(Scheduler, WithoutAutomaticRemovalAScheduledScanOnlyListsWhatItFound) {
    const auto spy = machine.prefix().WriteFile("Spy/spy.exe", "spy");
    Apply(kScheduleDaily, TimeOfDay(10, 0, 5));
    host.Advance(10s);
    EXPECT_EQ(RowTexts(Main().lvwPicRemoveListOfSpywareFoundAndToBeRemoved).size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(spy));
}

TEST_F(Scheduler, NeverRunsTheTimerButStartsNothing) {
    Apply(kScheduleNever, TimeOfDay(10, 0, 1));
    EXPECT_EQ(Option("Day"), "9");
    EXPECT_EQ(Option("Time"), "Null");
    EXPECT_TRUE(Main().tmrScheduler.Enabled());
    host.Advance(5s);
    EXPECT_EQ(ScansStarted(), 0);
}

TEST_F(Scheduler, AOneTimeScheduleWithoutItsDateIsRefusedAndNothingStored) {
    host.ExpectMsgBox({forms::MsgBoxResult::Ok,
                       "Please select the date that you want to scan.",
                       gProgramName,
                       forms::MsgBoxInformation,
                       {}});
    Apply(kScheduleDateAndTime, TimeOfDay(10, 0, 1));
    EXPECT_EQ(Option("chkAutomaticScanYesOrNo"), "(absent)");
    EXPECT_EQ(Option("Day"), "(absent)");
    EXPECT_FALSE(Main().tmrScheduler.Enabled() && ScansStarted() > 0);
}

TEST_F(Scheduler, UntickedApplyAndResetKeepTheLastScheduleButStopTheTimer) {
    FrmMainForm& main = Main();
    Apply(kFridayPosition, TimeOfDay(9, 0, 0));

    main.chkAutomaticScanYesOrNo.Click();
    main.cmbDays.SetListIndex(1);
    EXPECT_TRUE(main.CmdProceed.Enabled());
    main.CmdProceed.Click();
    EXPECT_EQ(Option("chkAutomaticScanYesOrNo"), "0");
    EXPECT_FALSE(main.tmrScheduler.Enabled());
    EXPECT_EQ(Option("Day"), "4");
    EXPECT_EQ(main.cmbDays.ListIndex(), kFridayPosition);
    EXPECT_EQ(main.dtpScheduleTime.Value(), platform::ParseUsDate("9:00:00 AM"));
    EXPECT_EQ(main.chkAutomaticScanYesOrNo.Value(), 0);

    main.chkAutomaticScanYesOrNo.Click();
    main.cmdDefaultSetting.Click();
    EXPECT_EQ(Option("chkAutomaticScanYesOrNo"), "0");
    EXPECT_FALSE(main.tmrScheduler.Enabled());
    EXPECT_EQ(main.cmbDays.ListIndex(), kFridayPosition);
    EXPECT_FALSE(main.CmdProceed.Enabled());
}

TEST_F(Scheduler, TheListEntryDecidesWhichPickersTakeInput) {
    FrmMainForm& main = Main();
    main.chkAutomaticScanYesOrNo.SetValue(forms::kChecked);
    main.cmbDays.SetListIndex(kScheduleDateAndTime);
    EXPECT_TRUE(main.dtpScheduleDate.Enabled());
    main.dtpScheduleDate.UserSetValue(DateTime{2006, 3, 17});

    main.cmbDays.SetListIndex(kScheduleDaily);
    EXPECT_FALSE(main.dtpScheduleDate.Enabled());
    EXPECT_EQ(main.dtpScheduleDate.Value(), std::nullopt);
    EXPECT_TRUE(main.dtpScheduleTime.Enabled());

    main.dtpScheduleTime.UserSetValue(TimeOfDay(1, 2, 3));
    main.cmbDays.SetListIndex(kScheduleNever);
    EXPECT_FALSE(main.dtpScheduleTime.Enabled());
    EXPECT_EQ(main.dtpScheduleTime.Value(), std::nullopt);

    // Ticking the switch again sets the pickers for the entry shown.
    main.cmbDays.SetListIndex(kScheduleDateAndTime);
    main.chkAutomaticScanYesOrNo.Click();
    EXPECT_FALSE(main.dtpScheduleDate.Enabled());
    main.chkAutomaticScanYesOrNo.Click();
    EXPECT_TRUE(main.dtpScheduleDate.Enabled());
}

TEST_F(Scheduler, StoredTextsThatAreNoDateNeverMatch) {
    const DateTime now{2006, 3, 16, 14, 30, 0};
    EXPECT_TRUE(ScheduleIsDue(kScheduleDaily, "2:30:00 PM", "Null", now));
    EXPECT_TRUE(ScheduleIsDue(kScheduleDaily, "3/1/2001 14:30:00", "Null", now));
    EXPECT_FALSE(ScheduleIsDue(kScheduleDaily, "Null", "Null", now));
    EXPECT_FALSE(ScheduleIsDue(kScheduleDateAndTime, "2:30:00 PM", "Null", now));
    EXPECT_TRUE(ScheduleIsDue(kScheduleDateAndTime, "2:30:00 PM", "3/16/2006", now));
    EXPECT_TRUE(ScheduleIsDue(kThursdayPosition, "14:30:00", "Null", now));
    EXPECT_FALSE(ScheduleIsDue(kScheduleNever, "2:30:00 PM", "3/16/2006", now));
    EXPECT_FALSE(ScheduleIsDue(-1, "2:30:00 PM", "Null", now));
}

}  // namespace
