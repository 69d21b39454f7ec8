#include "foundation/machine_settings.h"

#include <gtest/gtest.h>

#include "foundation/globals.h"
#include "foundation/program_error.h"
#include "foundation/settings_store.h"
#include "hive_file_machine.h"
#include "platform/reg_text.h"
#include "support/fake_wine.h"
#include "support/forms_fixture.h"

using namespace platform;
using forms::MsgBoxResult;

namespace {

const std::string kPermissionText =
    "Tollenwark requires read/write access to the system registry and hard drive in order to run "
    "properly.  This user account does not have the proper permissions set.  As a result some or "
    "all of your settings may not be properly saved.  Please contact your system administrator or "
    "change the permission settings for this account.\r\n\r\nIf you would like to prevent this "
    "error message from being displayed again, please press 'Ignore'.";

class MachineSettingsTest : public FormsTest {
  protected:
    void SetUp() override {
        ResetFoundationGlobals();
        gProgramName = "Tollenwark";
        gCompanyName = " Tollenwark Labs ";
        SaveSetting("Tollenwark", "Settings", "IgnorePermissionDeniedError", "0");
    }

    void StoreAtSettings(std::string_view name, RegValue value) {
        Registry& registry = machine.machine().registry();
        RegHandle key = 0;
        ASSERT_EQ(registry.CreateKey(HKEY_LOCAL_MACHINE, kSettingsKey, &key), ERROR_SUCCESS);
        registry.SetValue(key, name, value);
        registry.CloseKey(key);
    }

    // GetMachineSetting raises the numbered error.
    static void ExpectGetError(std::string_view application, std::string_view section,
                               std::string_view key, std::uint32_t number,
                               std::string_view description) {
        try {
            GetMachineSetting(application, section, key, "default");
            ADD_FAILURE() << "no error for " << key;
        } catch (const ProgramError& error) {
            EXPECT_EQ(error.number(), static_cast<std::int32_t>(number)) << key;
            EXPECT_EQ(error.description(), description) << key;
            EXPECT_EQ(error.source(), "GetMachineSetting");
        }
    }

    void ExpectPermissionBox(MsgBoxResult answer, std::function<void()> whileOpen = {}) {
        host.ExpectMsgBox({answer, kPermissionText, "Permission Denied",
                           forms::MsgBoxAbortRetryIgnore, std::move(whileOpen)});
    }

    std::string IgnoreFlag() {
        return GetSetting("Tollenwark", "Settings", "IgnorePermissionDeniedError", "0");
    }

    static constexpr const char* kSettingsKey = "SOFTWARE\\Tollenwark Labs\\Tollenwark\\Settings";
    HiveFileMachine machine;
};

TEST_F(MachineSettingsTest, WritesAndReadsTextUnderTheCompanysKey) {
    SaveMachineSetting(" Tollenwark ", "Settings ", "FirstTime", "yes");
    EXPECT_EQ(GetMachineSetting("Tollenwark", "Settings", "FirstTime", ""), "yes");
    SaveMachineSetting("Tollenwark", "Settings", "showHelp", "");
    EXPECT_EQ(GetMachineSetting("Tollenwark", "Settings", "showHelp", "1"), "");
    EXPECT_EQ(
        ReadRegText(machine.machine().registry(), HKEY_LOCAL_MACHINE, kSettingsKey, "FirstTime"),
        "yes");
}

TEST_F(MachineSettingsTest, MissingSectionsAndValuesGiveTheDefault) {
    EXPECT_EQ(GetMachineSetting("Tollenwark", "Nowhere", "FirstTime", "default"), "default");
    SaveMachineSetting("Tollenwark", "Settings", "FirstTime", "yes");
    EXPECT_EQ(GetMachineSetting("Tollenwark", "Settings", "Other", "default"), "default");
}

TEST_F(MachineSettingsTest, EmptyNamesAndValuesThatAreNoTextAreNumberedErrors) {
    ExpectGetError("  ", "Settings", "FirstTime", 0x800403E8u, "AppName may not be empty");
    ExpectGetError("Tollenwark", "", "FirstTime", 0x800403E9u, "Section may not be empty");
    ExpectGetError("Tollenwark", "Settings", "", 0x800403EAu, "Key may not be empty");

    StoreAtSettings("Number", RegValue::Dword(1));
    ExpectGetError("Tollenwark", "Settings", "Number", 0x800407D4u, "Registry data not a string");
    RegValue expandable = RegValue::String("%windir%");
    expandable.type = REG_EXPAND_SZ;
    StoreAtSettings("Expandable", expandable);
    ExpectGetError("Tollenwark", "Settings", "Expandable", 0x800407D2u,
                   "Registry data not a string");
}

TEST_F(MachineSettingsTest, ARefusedWriteAsksOnceAndAfterIgnoreNeverAgain) {
    machine.SetMachineHiveReadOnly(true);
    ExpectPermissionBox(MsgBoxResult::Ignore);
    SaveMachineSetting("Tollenwark", "Settings", "FirstTime", "yes");
    EXPECT_EQ(host.MsgBoxesShown().size(), 1u);
    EXPECT_EQ(IgnoreFlag(), "1");

    SaveMachineSetting("Tollenwark", "Settings", "FirstTime", "yes");
    SaveMachineSetting("Tollenwark", "Settings", "showHelp", "0");
    EXPECT_EQ(host.MsgBoxesShown().size(), 1u);
    EXPECT_EQ(GetMachineSetting("Tollenwark", "Settings", "FirstTime", "none"), "none");
}

TEST_F(MachineSettingsTest, RetryRepeatsTheRefusedWriteAndAbortGivesUp) {
    machine.SetMachineHiveReadOnly(true);
    ExpectPermissionBox(MsgBoxResult::Retry);
    ExpectPermissionBox(MsgBoxResult::Abort);
    SaveMachineSetting("Tollenwark", "Settings", "FirstTime", "yes");
    EXPECT_EQ(host.MsgBoxesShown().size(), 2u);
    EXPECT_EQ(IgnoreFlag(), "0");
    EXPECT_EQ(GetMachineSetting("Tollenwark", "Settings", "FirstTime", "none"), "none");

    // The user makes the registry writable while the box is open, then answers Retry.
    ExpectPermissionBox(MsgBoxResult::Retry, [this] { machine.SetMachineHiveReadOnly(false); });
    SaveMachineSetting("Tollenwark", "Settings", "FirstTime", "yes");
    EXPECT_EQ(GetMachineSetting("Tollenwark", "Settings", "FirstTime", "none"), "yes");
}

// While Wine's server holds the registry the value goes through Wine's tool, key and value in one
// run. When the tool fails the user is told that reason, which is no lack of permission, also
// after an Ignore of the permission box.
TEST_F(MachineSettingsTest, WhileWinesServerRunsTheValueGoesThroughWineAndItsFailureIsToldAsSuch) {
    auto server = machine.RunWineServer();
    {
        const test_support::FakeWine wine;
        SaveMachineSetting("Tollenwark", "Settings", "FirstTime", "yes");
        EXPECT_EQ(wine.Runs().size(), 1u);
        EXPECT_EQ(GetMachineSetting("Tollenwark", "Settings", "FirstTime", "none"), "yes");
    }
    SaveSetting("Tollenwark", "Settings", "IgnorePermissionDeniedError", "1");
    const test_support::FakeWine wine(test_support::FakeWine::Behaviour::Fails);
    host.ExpectMsgBox({MsgBoxResult::Retry,
                       "Tollenwark could not save a setting in the registry of the Windows "
                       "installation. " +
                           RegistryErrorText(ERROR_WINE_TOOL_FAILED),
                       "Tollenwark",
                       forms::MsgBoxAbortRetryIgnore,
                       {}});
    host.ExpectMsgBox(MsgBoxResult::Abort);
    SaveMachineSetting("Tollenwark", "Settings", "showHelp", "0");
    EXPECT_EQ(wine.Runs().size(), 2u);
    EXPECT_EQ(GetMachineSetting("Tollenwark", "Settings", "showHelp", "none"), "none");
}

}  // namespace
