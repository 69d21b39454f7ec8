// The option controls: loaded from the settings at start-up, saved as they change.
#include <filesystem>
#include <string>
#include <string_view>

#include "engine/guarded.h"
#include "engine/option_settings.h"
#include "forms/host.h"
#include "forms/message_box.h"
#include "foundation/definition_files.h"
#include "foundation/globals.h"
#include "foundation/registry_access.h"
#include "foundation/settings_store.h"
#include "localization/globals.h"
#include "platform/application.h"
#include "platform/autostart_entry.h"
#include "platform/machine.h"
#include "ui/frm_main.h"

namespace {

constexpr std::string_view kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
// The product that ticks run-at-start-up on its first run.
constexpr std::string_view kRunsAtStartupByDefault = "Pellorin";

std::string Message(std::string_view key) {
    return gLanguages ? gLanguages->getMessages(key) : std::string();
}

std::string CheckStateText(const forms::CheckBox& box) {
    return std::to_string(box.Value());
}

// A check box from its stored check state, read as everything it drives reads it. A change raises
// its click handler, which stores the value and applies it.
void LoadCheckState(forms::CheckBox& box, std::string_view key, int defaultState) {
    box.SetValue(OptionCheckState(key, defaultState));
}

// An option button from its stored flag; setting it raises its click handler when it was not set.
void LoadFlag(forms::OptionButton& button, std::string_view key, std::string_view defaultValue) {
    button.SetValue(OptionAsFlag(key, defaultValue));
}

void SaveCheckState(const forms::CheckBox& box) {
    SaveOptionSetting(box.Name(), CheckStateText(box));
}

void SaveFlags(const forms::OptionButton& first, const forms::OptionButton& second) {
    SaveOptionSetting(first.Name(), FlagText(first.Value()));
    SaveOptionSetting(second.Name(), FlagText(second.Value()));
}

// The Run value is named by the executable's name without extension, and its data is the program
// folder and that name.
void RegisterRunAtStartup(bool run) {
    const std::string name = std::filesystem::path(platform::ExecutableBaseName()).stem().string();
    if (run) {
        RegWriteValue(platform::HKEY_LOCAL_MACHINE, kRunKey, name,
                      platform::ProgramFolder() + "\\" + name);
        // Started at log-in, it protects the same installation with the same program folder.
        platform::WriteAutostartEntry(
            gProgramName, platform::ExecutablePath(),
            {{"WINEPREFIX", platform::CurrentMachine().prefix().root().string()},
             {"TOLLENWARK_PROGRAM_FOLDER", platform::ProgramFolderHostPath().string()}});
    } else {
        RegDeleteNamedValue(platform::HKEY_LOCAL_MACHINE, kRunKey, name);
        platform::DeleteAutostartEntry();
    }
}

std::string DataSharingQuestion() {
    return Message("MSG_ANON1") + "\r\n\r\n" + Message("MSG_ANON2") + "\r\n\r\n" +
           Message("MSG_ANON3");
}

// The first run of the one product that starts with the computer by default ticks the option;
// from then on, and for every other product, the stored choice holds with "not ticked" as default.
void LoadRunAtStartup(FrmMainForm& main) {
    if (gProgramName == kRunsAtStartupByDefault &&
        GetSetting(gProgramName, kSettingsSection, "ranOneTime", "0") == "0") {
        LoadCheckState(main.chkRunAtStartup, "chkRunAtStartup", 1);
        SaveSetting(gProgramName, kSettingsSection, "ranOneTime", "1");
    } else {
        LoadCheckState(main.chkRunAtStartup, "chkRunAtStartup", 0);
    }
}

// Loading the stored switch is no change of the user's: Apply keeps its state.
void LoadScheduleSwitch(FrmMainForm& main) {
    const bool applyEnabled = main.CmdProceed.Enabled();
    RunIgnoringFailure(
        [&] { LoadCheckState(main.chkAutomaticScanYesOrNo, "chkAutomaticScanYesOrNo", 0); });
    main.CmdProceed.SetEnabled(applyEnabled);
    const bool scheduled = OptionCheckState("chkAutomaticScanYesOrNo", 0) == 1;
    main.dtpScheduleDate.SetEnabled(scheduled);
    main.dtpScheduleTime.SetEnabled(scheduled);
    main.cmbDays.SetEnabled(scheduled);
    main.tmrScheduler.SetEnabled(scheduled);
}

// A drive without a stored tick comes up ticked.
void LoadDriveTicks(FrmMainForm& main) {
    for (int row = 1; row <= main.lvwHardDrives.ListItems.Count(); ++row) {
        RunIgnoringFailure([&] {
            forms::ListItem& item = main.lvwHardDrives.ListItems(row);
            if (const auto ticked =
                    BooleanFromText(GetSetting(gProgramName, "Drives", item.Text(), "True"))) {
                item.SetChecked(*ticked);
            }
        });
    }
}

void LoadThreatColumnWidths(FrmMainForm& main) {
    forms::ListView& threats = main.lvwPicRemoveListOfSpywareFoundAndToBeRemoved;
    for (int column = 1; column <= threats.ColumnHeaders.Count(); ++column) {
        RunIgnoringFailure([&] {
            const std::string key = "FoundCol2" + std::to_string(column);
            if (const auto width =
                    WholeNumberFromText(GetSetting(gProgramName, kSettingsSection, key, "1400"))) {
                threats.ColumnHeaders(column).SetWidth(*width);
            }
        });
    }
}

// The home-page shield's timer and its two answers' options follow the shield's switch.
void EnableHomePageShield(FrmMainForm& main, bool on) {
    main.tmrCheckHomePage.SetEnabled(on);
    main.optAlwaysnotifybeforerestoring.SetEnabled(on);
    main.optRestoredefaultwithoutnotification.SetEnabled(on);
}

}  // namespace

void FrmMainForm::LoadSettingsIntoControls() {
    RunIgnoringFailure([] { SaveOptionSetting("SHOW", "True"); });
    RunIgnoringFailure([&] { LoadFlag(optIEHomePageSheildOn, "optIEHomePageSheildOn", "True"); });
    RunIgnoringFailure([&] { chkHomePage.SetValue(optIEHomePageSheildOn.Value() ? 1 : 0); });
    RunIgnoringFailure([&] { LoadCheckState(chkMakeLog, "chkMakeLog", 1); });
    RunIgnoringFailure(
        [&] { LoadFlag(optIEHomePageSheildOff, "optIEHomePageSheildOff", "False"); });
    RunIgnoringFailure([&] {
        LoadFlag(optAlwaysnotifybeforerestoring, "optAlwaysnotifybeforerestoring", "True");
    });
    RunIgnoringFailure([&] {
        LoadFlag(optRestoredefaultwithoutnotification, "optRestoredefaultwithoutnotification",
                 "False");
    });
    RunIgnoringFailure([&] { LoadFlag(optMemorySheildOn, "optMemorySheildOn", "True"); });
    RunIgnoringFailure([&] { chkAutoProtect.SetValue(optMemorySheildOn.Value() ? 1 : 0); });
    RunIgnoringFailure([&] { LoadFlag(optMemorySheildOff, "optMemorySheildOff", "False"); });
    RunIgnoringFailure([&] { LoadCheckState(chkSweepMemory, "chkSweepMemory", 1); });
    RunIgnoringFailure([&] { LoadCheckState(chkScanRegistry, "chkScanRegistry", 1); });
    RunIgnoringFailure(
        [&] { LoadFlag(optScanAllSelectedHardDrive, "optScanAllSelectedHardDrive", "True"); });
    // Every start begins with the quick scan, whatever was stored.
    RunIgnoringFailure([&] { optScanOnlyKnownSoftwares.SetValue(true); });
    RunIgnoringFailure([&] { LoadRunAtStartup(*this); });
    RunIgnoringFailure([&] { LoadCheckState(chkScanCookies, "chkScanCookies", 1); });
    RunIgnoringFailure([&] { LoadCheckState(chkSendData, "chkSendData", 1); });
    RunIgnoringFailure([&] {
        lblLastUpdate.SetCaption("Signatures Last Updated On " + LoadDefinitionsDate() + " PST");
    });
    RunIgnoringFailure([&] { LoadScheduleSwitch(*this); });
    RunIgnoringFailure([&] { LoadCheckState(chkAutomaticUpdate, "chkAutomaticUpdate", 1); });
    LoadDriveTicks(*this);
    LoadThreatColumnWidths(*this);
    RunIgnoringFailure([&] {
        if (GetSetting(gProgramName, kSettingsSection, "Max", "0") == "1") {
            SetWindowState(forms::WindowState::Maximized);
        }
    });
    RunIgnoringFailure([] { forms::CurrentHost().SetMousePointer(forms::MousePointer::Default); });
}

void FrmMainForm::chkAutoDel_Click() {
    SaveSetting(gProgramName, kSettingsSection, "chkAutoDel", CheckStateText(chkAutoDel));
}

// The automatic-update timer follows the stored value from the next start on.
void FrmMainForm::chkAutomaticUpdate_Click() {
    SaveCheckState(chkAutomaticUpdate);
}

void FrmMainForm::chkAutoProtect_Click() {
    const int value = chkAutoProtect.Value();
    SaveOptionSetting("optMemorySheildOn", FlagText(value != 0));
    SaveOptionSetting("optMemorySheildOff", FlagText(value == 0));
    tmrMemoryInspected.SetEnabled(value == forms::kChecked);
}

void FrmMainForm::chkHomePage_Click() {
    const int value = chkHomePage.Value();
    SaveOptionSetting("optIEHomePageSheildOn", FlagText(value != 0));
    SaveOptionSetting("optIEHomePageSheildOff", FlagText(value == 0));
    EnableHomePageShield(*this, value == forms::kChecked);
}

void FrmMainForm::chkMakeLog_Click() {
    SaveCheckState(chkMakeLog);
}

// The entry follows the box the user just set, also when storing the choice failed.
void FrmMainForm::chkRunAtStartup_Click() {
    SaveCheckState(chkRunAtStartup);
    RegisterRunAtStartup(chkRunAtStartup.Value() == forms::kChecked);
}

void FrmMainForm::chkScanCookies_Click() {
    SaveCheckState(chkScanCookies);
}

void FrmMainForm::chkScanRegistry_Click() {
    SaveCheckState(chkScanRegistry);
}

void FrmMainForm::chkSweepMemory_Click() {
    SaveCheckState(chkSweepMemory);
}

// Only the user's own click reaches here, so a value set by code never asks.
void FrmMainForm::chkSendData_MouseUp(int, int, double, double) {
    SaveSendDataChoice();
}

void FrmMainForm::chkSendData_KeyUp(int keyCode, int) {
    if (keyCode == forms::key::Space) {
        SaveSendDataChoice();
    }
}

void FrmMainForm::SaveSendDataChoice() {
    RunIgnoringFailure([&] {
        if (chkSendData.Value() == forms::kUnchecked &&
            forms::MsgBox(DataSharingQuestion(), forms::MsgBoxYesNo, Message("MSG_ANON4")) ==
                forms::MsgBoxResult::No) {
            chkSendData.SetValue(forms::kChecked);
        }
    });
    SaveCheckState(chkSendData);
}

void FrmMainForm::optAlwaysnotifybeforerestoring_Click() {
    SaveFlags(optAlwaysnotifybeforerestoring, optRestoredefaultwithoutnotification);
}

void FrmMainForm::optRestoredefaultwithoutnotification_Click() {
    SaveFlags(optAlwaysnotifybeforerestoring, optRestoredefaultwithoutnotification);
}

void FrmMainForm::optIEHomePageSheildOn_Click() {
    SaveFlags(optIEHomePageSheildOn, optIEHomePageSheildOff);
    EnableHomePageShield(*this, true);
}

void FrmMainForm::optIEHomePageSheildOff_Click() {
    SaveFlags(optIEHomePageSheildOn, optIEHomePageSheildOff);
    EnableHomePageShield(*this, false);
}

void FrmMainForm::optMemorySheildOn_Click() {
    SaveFlags(optMemorySheildOn, optMemorySheildOff);
    tmrMemoryInspected.SetEnabled(true);
}

void FrmMainForm::optMemorySheildOff_Click() {
    SaveFlags(optMemorySheildOn, optMemorySheildOff);
    tmrMemoryInspected.SetEnabled(false);
}

void FrmMainForm::optScanAllSelectedHardDrive_Click() {
    SaveFlags(optScanOnlyKnownSoftwares, optScanAllSelectedHardDrive);
    lvwHardDrives.SetVisible(true);
}

void FrmMainForm::optScanOnlyKnownSoftwares_Click() {
    SaveFlags(optScanOnlyKnownSoftwares, optScanAllSelectedHardDrive);
    lvwHardDrives.SetVisible(false);
}
