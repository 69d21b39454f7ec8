// The option controls: the first run, stored values, the handlers and their side effects.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/option_settings.h"
#include "forms/form_registry.h"
#include "foundation/globals.h"
#include "foundation/settings_store.h"
#include "options_fixture.h"
#include "platform/application.h"
#include "platform/autostart_entry.h"
#include "support/main_window.h"
#include "support/temporary_folder.h"

using forms::MsgBoxResult;

namespace {

constexpr std::string_view kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

class Options : public OptionsTest {
  protected:
    // The value name and data of the program's Run entry.
    static std::string RunName() {
        return std::filesystem::path(platform::ExecutableBaseName()).stem().string();
    }
    std::string RunEntry() const {
        return ReadRegistryFromOutside(platform::HKEY_LOCAL_MACHINE, kRunKey, RunName());
    }
    static bool AutostartEntryPresent() {
        return std::filesystem::exists(platform::AutostartEntryPath());
    }
};

TEST_F(Options, AFirstRunStoresEveryDefaultThroughTheHandlers) {
    FrmMainForm& main = Main();
    main.LoadSettingsIntoControls();

    EXPECT_EQ(main.chkAutoProtect.Value(), 1);
    EXPECT_TRUE(main.optMemorySheildOn.Value());
    EXPECT_EQ(main.chkHomePage.Value(), 1);
    EXPECT_TRUE(main.optIEHomePageSheildOn.Value());
    EXPECT_TRUE(main.optAlwaysnotifybeforerestoring.Value());
    EXPECT_TRUE(main.optScanOnlyKnownSoftwares.Value());
    EXPECT_FALSE(main.lvwHardDrives.Visible());
    for (forms::CheckBox* ticked :
         {&main.chkMakeLog, &main.chkSweepMemory, &main.chkScanRegistry, &main.chkScanCookies,
          &main.chkSendData, &main.chkAutomaticUpdate}) {
        EXPECT_EQ(ticked->Value(), 1) << ticked->Name();
    }
    for (forms::CheckBox* clear :
         {&main.chkRunAtStartup, &main.chkAutomaticScanYesOrNo, &main.chkAutoDel}) {
        EXPECT_EQ(clear->Value(), 0) << clear->Name();
    }
    EXPECT_FALSE(main.cmbDays.Enabled());
    EXPECT_FALSE(main.tmrScheduler.Enabled());
    EXPECT_TRUE(main.tmrCheckHomePage.Enabled());
    EXPECT_TRUE(main.tmrMemoryInspected.Enabled());
    const forms::ListView& threats = main.lvwPicRemoveListOfSpywareFoundAndToBeRemoved;
    for (int column = 1; column <= threats.ColumnHeaders.Count(); ++column) {
        EXPECT_EQ(threats.ColumnHeaders(column).Width(), 1400);
    }
    EXPECT_EQ(main.WindowState(), forms::WindowState::Normal);
    EXPECT_EQ(main.lblLastUpdate.Caption(), "Signatures Last Updated On 3/16/2006 12:00:00 AM PST");

    // What the handlers stored on the way.
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"SHOW", "True"},
        {"optIEHomePageSheildOn", "True"},
        {"optIEHomePageSheildOff", "False"},
        {"chkMakeLog", "1"},
        {"optAlwaysnotifybeforerestoring", "True"},
        {"optRestoredefaultwithoutnotification", "False"},
        {"optMemorySheildOn", "True"},
        {"optMemorySheildOff", "False"},
        {"chkSweepMemory", "1"},
        {"chkScanRegistry", "1"},
        {"optScanAllSelectedHardDrive", "False"},
        {"optScanOnlyKnownSoftwares", "True"},
        {"chkScanCookies", "1"},
        {"chkAutomaticUpdate", "1"},
        // Stored only by the user's own click, which readers default to ticked.
        {"chkSendData", "(absent)"},
        // Unticked by default, as the boxes start: nothing to store, no start-up entry.
        {"chkRunAtStartup", "(absent)"},
        {"chkAutomaticScanYesOrNo", "(absent)"},
    };
    for (const auto& [key, value] : expected) {
        EXPECT_EQ(Option(key), value) << key;
    }
    EXPECT_EQ(RunEntry(), "(absent)");
    EXPECT_FALSE(AutostartEntryPresent());
    EXPECT_TRUE(host.MsgBoxesShown().empty());
}

TEST_F(Options, StoredValuesComeBackButEveryStartBeginsWithTheQuickScan) {
    StoreOption("optIEHomePageSheildOn", "false");
    StoreOption("optIEHomePageSheildOff", "TRUE");
    StoreOption("optAlwaysnotifybeforerestoring", "0");
    StoreOption("optRestoredefaultwithoutnotification", "1");
    StoreOption("optMemorySheildOn", "False");
    StoreOption("optMemorySheildOff", "True");
    StoreOption("optScanAllSelectedHardDrive", "True");
    StoreOption("chkScanCookies", "0");
    // Texts that are no value count as absent ones: the defaults.
    StoreOption("chkSweepMemory", "maybe");
    StoreOption("chkMakeLog", "7");
    SaveSetting(gProgramName, "Settings", "FoundCol21", "2000.4");
    SaveSetting(gProgramName, "Settings", "FoundCol22", "wide");
    FrmMainForm& main = Main();
    main.lvwPicRemoveListOfSpywareFoundAndToBeRemoved.ColumnHeaders(2).SetWidth(900);
    main.LoadSettingsIntoControls();

    EXPECT_EQ(main.chkHomePage.Value(), 0);
    EXPECT_TRUE(main.optIEHomePageSheildOff.Value());
    EXPECT_FALSE(main.tmrCheckHomePage.Enabled());
    EXPECT_FALSE(main.optAlwaysnotifybeforerestoring.Enabled());
    EXPECT_TRUE(main.optRestoredefaultwithoutnotification.Value());
    EXPECT_TRUE(main.optMemorySheildOff.Value());
    EXPECT_EQ(main.chkAutoProtect.Value(), 0);
    EXPECT_FALSE(main.tmrMemoryInspected.Enabled());
    EXPECT_EQ(main.chkScanCookies.Value(), 0);
    EXPECT_EQ(main.chkSweepMemory.Value(), 1);
    EXPECT_EQ(main.chkMakeLog.Value(), 1);
    EXPECT_TRUE(main.optScanOnlyKnownSoftwares.Value());
    EXPECT_FALSE(main.lvwHardDrives.Visible());
    EXPECT_EQ(Option("optScanAllSelectedHardDrive"), "False");
    const forms::ListView& threats = main.lvwPicRemoveListOfSpywareFoundAndToBeRemoved;
    EXPECT_EQ(threats.ColumnHeaders(1).Width(), 2000);
    EXPECT_EQ(threats.ColumnHeaders(2).Width(), 900);
}

TEST_F(Options, OnlyTheExactTextOneMaximisesTheWindow) {
    for (const auto& [stored, maximised] :
         std::vector<std::pair<std::string, bool>>{{"1 ", false}, {"True", false}, {"1", true}}) {
        SaveSetting(gProgramName, "Settings", "Max", stored);
        Main().LoadSettingsIntoControls();
        EXPECT_EQ(Main().WindowState() == forms::WindowState::Maximized, maximised) << stored;
    }
}

TEST_F(Options, TheDefaultStartingProductTicksRunAtStartupOnItsFirstRunOnly) {
    gProgramName = "Pellorin";
    Main().LoadSettingsIntoControls();
    EXPECT_EQ(Main().chkRunAtStartup.Value(), 1);
    EXPECT_EQ(Stored("Settings", "ranOneTime"), "1");
    EXPECT_EQ(Option("chkRunAtStartup"), "1");
    EXPECT_NE(RunEntry(), "(absent)");

    // A later start without a stored choice: not ticked.
    test_support::TemporaryFolder laterConfig("tollenwark-config");
    test_support::ScopedEnvironmentVariable laterConfigHome("XDG_CONFIG_HOME",
                                                            laterConfig.path().string());
    SaveSetting(gProgramName, "Settings", "ranOneTime", "1");
    forms::DestroyAllForms();
    FrmMainForm& restarted = test_support::LoadMainWindowWithoutStartUp();
    restarted.LoadSettingsIntoControls();
    EXPECT_EQ(restarted.chkRunAtStartup.Value(), 0);
}

TEST_F(Options, EachChangeIsStoredAtOnceAndSwitchesItsShield) {
    FrmMainForm& main = Main();
    main.LoadSettingsIntoControls();

    main.chkHomePage.Click();
    EXPECT_EQ(Option("optIEHomePageSheildOn"), "False");
    EXPECT_EQ(Option("optIEHomePageSheildOff"), "True");
    EXPECT_FALSE(main.tmrCheckHomePage.Enabled());
    EXPECT_FALSE(main.optRestoredefaultwithoutnotification.Enabled());
    // The other view of the same setting keeps its old look until the next start.
    EXPECT_TRUE(main.optIEHomePageSheildOn.Value());

    main.optIEHomePageSheildOff.Click();
    main.optIEHomePageSheildOn.Click();
    EXPECT_EQ(Option("optIEHomePageSheildOn"), "True");
    EXPECT_TRUE(main.tmrCheckHomePage.Enabled());
    EXPECT_TRUE(main.optAlwaysnotifybeforerestoring.Enabled());

    main.chkAutoProtect.Click();
    EXPECT_EQ(Option("optMemorySheildOn"), "False");
    EXPECT_FALSE(main.tmrMemoryInspected.Enabled());
    main.optMemorySheildOff.Click();
    main.optMemorySheildOn.Click();
    EXPECT_EQ(Option("optMemorySheildOff"), "False");
    EXPECT_TRUE(main.tmrMemoryInspected.Enabled());

    main.optRestoredefaultwithoutnotification.Click();
    EXPECT_EQ(Option("optAlwaysnotifybeforerestoring"), "False");
    EXPECT_EQ(Option("optRestoredefaultwithoutnotification"), "True");

    main.optScanAllSelectedHardDrive.Click();
    EXPECT_TRUE(main.lvwHardDrives.Visible());
    EXPECT_EQ(Option("optScanOnlyKnownSoftwares"), "False");

    for (forms::CheckBox* box : {&main.chkSweepMemory, &main.chkScanRegistry, &main.chkScanCookies,
                                 &main.chkMakeLog, &main.chkAutomaticUpdate}) {
        box->Click();
        EXPECT_EQ(Option(box->Name()), "0") << box->Name();
    }
    main.chkAutoDel.Click();
    EXPECT_EQ(Stored("Settings", "chkAutoDel"), "1");
}

TEST_F(Options, RunAtStartupWritesAndDeletesTheRunValueAndTheAutostartEntryTogether) {
    FrmMainForm& main = Main();
    main.chkRunAtStartup.Click();
    EXPECT_EQ(Option("chkRunAtStartup"), "1");
    EXPECT_EQ(RunEntry(), program.windowsPath() + "\\" + RunName());
    // Started at log-in, the program protects this machine's prefix with this program folder.
    EXPECT_EQ(
        test_support::ReadHostFileOrEmpty(platform::AutostartEntryPath()),
        platform::AutostartEntryText(gProgramName, platform::ExecutablePath(),
                                     {{"WINEPREFIX", machine.prefix().root().string()},
                                      {"TOLLENWARK_PROGRAM_FOLDER", program.path().string()}}));
    EXPECT_EQ(platform::AutostartEntryPath(),
              userFolders.path() / "config" / "autostart" / "tollenwark.desktop");

    main.chkRunAtStartup.Click();
    EXPECT_EQ(Option("chkRunAtStartup"), "0");
    EXPECT_EQ(RunEntry(), "(absent)");
    EXPECT_FALSE(AutostartEntryPresent());
}

TEST_F(Options, TurningDataSharingOffAsksFirst) {
    FrmMainForm& main = Main();
    main.LoadSettingsIntoControls();
    const std::string question =
        "By sending anonymous data you can help us identify new spyware more quickly.\r\n\r\n"
        "No personal information is collected, the only information sent is executable names "
        "that are currently loaded into memory.\r\n\r\n"
        "Do you really want to turn off anonymous data collection?";
    const auto untick = [&] {
        main.chkSendData.Click();
        main.chkSendData.MouseUp(1, 0, 10, 10);
    };

    host.ExpectMsgBox({MsgBoxResult::No,
                       question,
                       "Really turn off anonymous data collection?",
                       forms::MsgBoxYesNo,
                       {}});
    untick();
    EXPECT_EQ(main.chkSendData.Value(), 1);
    EXPECT_EQ(Option("chkSendData"), "1");

    host.ExpectMsgBox(MsgBoxResult::Yes, question);
    untick();
    EXPECT_EQ(Option("chkSendData"), "0");

    // Ticking it again asks nothing.
    untick();
    EXPECT_EQ(Option("chkSendData"), "1");
    EXPECT_EQ(host.MsgBoxesShown().size(), 2u);
}

TEST(OptionValues, StoredTextsConvertAsFlagsAndWholeNumbers) {
    EXPECT_EQ(BooleanFromText(" TRUE "), true);
    EXPECT_EQ(BooleanFromText("false"), false);
    EXPECT_EQ(BooleanFromText("-1"), true);
    EXPECT_EQ(BooleanFromText("0"), false);
    EXPECT_EQ(BooleanFromText("yes"), std::nullopt);
    EXPECT_EQ(BooleanFromText("nan"), std::nullopt);
    EXPECT_EQ(BooleanFromText(""), std::nullopt);

    EXPECT_EQ(WholeNumberFromText("1400"), 1400);
    EXPECT_EQ(WholeNumberFromText(" 1400.6 "), 1401);
    EXPECT_EQ(WholeNumberFromText("2.5"), 2);
    EXPECT_EQ(WholeNumberFromText("1e10"), std::nullopt);
    EXPECT_EQ(WholeNumberFromText("12 days"), std::nullopt);
}

}  // namespace
