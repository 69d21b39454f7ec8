// The scan scheduler: its option controls, stored schedule and timer.
#include "engine/scheduler.h"

#include <array>
#include <optional>

#include "engine/globals.h"
#include "engine/guarded.h"
#include "engine/option_settings.h"
#include "forms/host.h"
#include "forms/message_box.h"
#include "foundation/globals.h"
#include "foundation/settings_store.h"
#include "localization/globals.h"
#include "platform/text_case.h"
#include "ui/frm_main.h"

namespace {

constexpr std::string_view kNull = "Null";

// A stored date or time text, formatted as the schedule compares it; nothing for other text.
std::optional<std::string> StoredAs(std::string_view stored,
                                    std::string (*format)(const platform::DateTime&)) {
    const auto value = platform::ParseUsDate(stored);
    return value ? std::optional(format(*value)) : std::nullopt;
}

bool TimeIsDue(std::string_view storedTime, const platform::DateTime& now) {
    return StoredAs(storedTime, platform::FormatTime24) == platform::FormatTime24(now);
}

// A picker's value as stored: the general date text, or "Null" when it is empty.
std::string PickerText(const forms::DTPicker& picker) {
    return picker.Value() ? platform::FormatGeneralDate(*picker.Value()) : std::string(kNull);
}

// A picker from its stored text: "Null" empties it, after setting it to the value it then shows
// once the user ticks it. A text that is no date never matches, so it shows as "Null" does.
void LoadPicker(forms::DTPicker& picker, std::string_view stored,
                const platform::DateTime& shownWhenEmpty) {
    if (const auto value = platform::ParseUsDate(stored)) {
        picker.SetValue(value);
    } else {
        picker.SetValue(shownWhenEmpty);
        picker.SetValue(std::nullopt);
    }
}

void EmptyAndEnable(forms::DTPicker& picker, bool empty, bool enabled) {
    if (empty) {
        picker.SetValue(std::nullopt);
    }
    picker.SetEnabled(enabled);
}

// The pickers a schedule of the list's position needs: only a one-time schedule has a date, and
// "Never" has no time either. Other positions leave them as they are. With scheduled scans off
// (Reset, or the stored schedule shown again) nothing of the schedule can be edited.
void SetPickersFor(FrmMainForm& main, int position) {
    const bool scheduling = main.chkAutomaticScanYesOrNo.Value() != forms::kUnchecked;
    if (position >= 0 && position <= kScheduleDaily) {
        EmptyAndEnable(main.dtpScheduleDate, true, false);
        main.dtpScheduleTime.SetEnabled(scheduling);
    } else if (position == kScheduleDateAndTime) {
        main.dtpScheduleDate.SetEnabled(scheduling);
        main.dtpScheduleTime.SetEnabled(scheduling);
    } else if (position == kScheduleNever) {
        EmptyAndEnable(main.dtpScheduleDate, true, false);
        EmptyAndEnable(main.dtpScheduleTime, true, false);
    }
}

}  // namespace

std::string ScheduledWeekday(long position) {
    static constexpr std::array<const char*, 7> kWeekdays = {
        "MONDAY", "TUESDAY", "WEDNESDAY", "THURSDAY", "FRIDAY", "SATURDAY", "SUNDAY"};
    return position >= 0 && position < 7 ? kWeekdays[position] : kWeekdays[0];
}

bool ScheduleIsDue(long position, std::string_view storedTime, std::string_view storedDate,
                   const platform::DateTime& now) {
    if (position == kScheduleDaily) {
        return TimeIsDue(storedTime, now);
    }
    if (position == kScheduleDateAndTime) {
        return StoredAs(storedDate, platform::FormatDayMonthYear) ==
                   platform::FormatDayMonthYear(now) &&
               TimeIsDue(storedTime, now);
    }
    if (position >= 0 && position < kScheduleDaily) {
        return platform::EqualsIgnoringCase(platform::WeekdayName(now),
                                            ScheduledWeekday(position)) &&
               TimeIsDue(storedTime, now);
    }
    return false;
}

void FrmMainForm::chkAutomaticScanYesOrNo_Click() {
    if (chkAutomaticScanYesOrNo.Value() != forms::kUnchecked) {
        tmrScheduler.SetEnabled(true);
        cmbDays.SetEnabled(true);
        SetPickersFor(*this, cmbDays.ListIndex());
    } else {
        cmbDays.SetEnabled(false);
        dtpScheduleDate.SetEnabled(false);
        dtpScheduleTime.SetEnabled(false);
        tmrScheduler.SetEnabled(false);
    }
    CmdProceed.SetEnabled(true);
}

void FrmMainForm::cmbDays_Click() {
    SetPickersFor(*this, cmbDays.ListIndex());
    CmdProceed.SetEnabled(true);
}

void FrmMainForm::dtpScheduleDate_Change() {
    CmdProceed.SetEnabled(true);
}

void FrmMainForm::dtpScheduleTime_Click() {
    CmdProceed.SetEnabled(true);
}

void FrmMainForm::CmdProceed_Click() {
    SaveScheduleSettings();
    CmdProceed.SetEnabled(false);
    LoadScheduleSettings();
}

void FrmMainForm::cmdDefaultSetting_Click() {
    cmbDays.SetListIndex(kScheduleDaily);
    chkAutomaticScanYesOrNo.SetValue(forms::kUnchecked);
    CmdProceed_Click();
}

// A one-time schedule needs both its date and its time; nothing is stored without them.
void FrmMainForm::SaveScheduleSettings() {
    if (cmbDays.ListIndex() == kScheduleDateAndTime &&
        (!dtpScheduleDate.Value() || !dtpScheduleTime.Value())) {
        forms::MsgBox(gLanguages ? gLanguages->getMessages("MSG_DATE") : std::string(),
                      forms::MsgBoxInformation, gProgramName);
        return;
    }
    RunIgnoringFailure([&] {
        SaveOptionSetting(chkAutomaticScanYesOrNo.Name(),
                          std::to_string(chkAutomaticScanYesOrNo.Value()));
    });
    if (OptionCheckState(chkAutomaticScanYesOrNo.Name(), 0) == 1) {
        RunIgnoringFailure([&] {
            SaveOptionSetting("Day", std::to_string(cmbDays.ListIndex()));
            SaveOptionSetting("Time", PickerText(dtpScheduleTime));
            SaveOptionSetting("Date", PickerText(dtpScheduleDate));
        });
        tmrScheduler.SetEnabled(true);
    } else {
        tmrScheduler.SetEnabled(false);
    }
}

// Showing the stored schedule is no change of the user's: Apply keeps its state.
void FrmMainForm::LoadScheduleSettings() {
    const bool applyEnabled = CmdProceed.Enabled();
    RunIgnoringFailure(
        [&] { chkAutoDel.SetValue(StoredCheckState(kSettingsSection, chkAutoDel.Name(), 0)); });
    RunIgnoringFailure([&] {
        if (GetOptionSetting("Day", "None") == "None") {
            cmbDays.SetListIndex(kScheduleDaily);
            return;
        }
        const platform::DateTime now = forms::CurrentHost().Now();
        LoadPicker(dtpScheduleDate, GetOptionSetting("Date", kNull),
                   platform::DateTime{now.year, now.month, now.day});
        LoadPicker(
            dtpScheduleTime, GetOptionSetting("Time", kNull),
            platform::DateTime{.hour = now.hour, .minute = now.minute, .second = now.second});
        cmbDays.SetListIndex(StoredSchedulePosition());
    });
    CmdProceed.SetEnabled(applyEnabled);
}

// A scan is started at most once in a matching second, also when it ends within that second. The
// schedule names a second, so the clock is compared with it once a second: the other ticks of the
// second could not answer otherwise, and the timer costs next to nothing while the program waits.
void FrmMainForm::tmrScheduler_Timer() {
    const platform::DateTime now = forms::CurrentHost().Now();
    if (LastScheduleCheckAt == now) {
        return;
    }
    LastScheduleCheckAt = now;
    bool due = false;
    RunIgnoringFailure([&] {
        due = ScheduleIsDue(StoredSchedulePosition(), GetOptionSetting("Time", kNull),
                            GetOptionSetting("Date", kNull), now);
    });
    if (due && LastScheduledScanAt != now) {
        LastScheduledScanAt = now;
        gAutoRemoveAfterScan = chkAutoDel.Value() == forms::kChecked;
        RunIgnoringFailure([&] { lblStart_Click(); });
    }
    gAutoRemoveAfterScan = false;
}
