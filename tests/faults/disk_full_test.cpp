// A full disk in the middle of the program's writes: the quarantine copy, the staged definitions
// put in place at start-up, an update package, a registry (hive) write and a settings write. The
// program, its prefix and its settings lie on a small disk of their own, filled to the brim.
#include <gtest/gtest.h>

#include "foundation/definition_files.h"
#include "foundation/globals.h"
#include "foundation/line_codec.h"
#include "foundation/machine_settings.h"
#include "foundation/settings_store.h"
#include "invariants.h"
#include "platform/machine.h"
#include "platform/text_encoding.h"
#include "program_fixture.h"
#include "small_disk.h"
#include "support/temporary_folder.h"
#include "ui/frm_delete.h"

namespace fs = std::filesystem;
using platform::HKEY_CURRENT_USER;
using test_support::ReadHostFileOrEmpty;

namespace {

constexpr std::size_t kDiskBytes = 8 * 1024 * 1024;

// Made before the program's folders, so that they all land on it.
struct OnSmallDisk {
    SmallDisk disk{kDiskBytes};
};

class DiskFullTest : public OnSmallDisk, public ProgramTest {
  protected:
    void SetUp() override {
        if (!disk.Mounted()) {
            GTEST_SKIP() << "this machine does not let the tests mount a small disk";
        }
    }

    static std::string Filler(std::size_t bytes, char fill) { return std::string(bytes, fill); }

    std::string DefinitionFileBytes(std::string_view fileName) const {
        return ReadHostFileOrEmpty(program.path() / fileName);
    }
};

TEST_F(DiskFullTest, AFileWhoseCopyDoesNotFitStaysAndIsRemovedOnceThereIsRoom) {
    const std::string content = Filler(512 * 1024, 'b');
    const std::string bad = WriteFileOnC("Bad/bad.exe", content);
    WriteDefinitions(kFileDefinitionFile, {"bad.exe=Bad.Tool|[drive]Bad"});
    WriteEveryDefinitionFile();
    StartProgram();
    ScanAndTickEverything();
    const std::string settingsBefore = ReadHostFileOrEmpty(UserSettingsFile());

    disk.FillLeaving(64 * 1024);
    RemoveTicked();

    EXPECT_EQ(ReadHostFileOrEmpty(HostPathOf(bad)), content);
    EXPECT_TRUE(FolderContents(QuarantineHostFolder()).empty()) << "no partial copy is left";
    ASSERT_EQ(frmDelete().lstProblem.ListItems.Count(), 1) << "the user is shown what stayed";
    EXPECT_EQ(frmDelete().lstProblem.ListItems(1).Text(), bad);
    EXPECT_TRUE(HiveReadsWhole(UserSettingsFile()));

    disk.Free();
    EndProgram();
    StartProgram();
    ScanAndTickEverything();
    RemoveTicked();
    EXPECT_FALSE(fs::exists(HostPathOf(bad)));
    EXPECT_TRUE(StillThereOrQuarantined(HostPathOf(bad), content, QuarantineHostFolder()));
    EXPECT_NE(ReadHostFileOrEmpty(UserSettingsFile()), settingsBefore);
}

// A folder on another disk must be copied into the quarantine; one on the quarantine's own disk
// is moved there in one rename and needs no room.
TEST_F(DiskFullTest, AFolderWhoseCopyDoesNotFitStaysWholeWithNothingInTheQuarantine) {
    const test_support::TemporaryFolder otherDisk("tollenwark-other-disk",
                                                  disk.path().parent_path());
    machine.prefix().LinkDrive('D', otherDisk.path());
    for (int i = 0; i < 4; ++i) {
        otherDisk.WriteFile("Bad/Plugins/plugin" + std::to_string(i) + ".txt",
                            Filler(200 * 1024, 'p'));
    }
    WriteFileOnC("Bad/Moved/moved.txt", Filler(400 * 1024, 'm'));  // more than is free
    WriteDefinitions(kDirectoryDefinitionFile,
                     {"Plugins=Bad.Tool|D:\\Bad\\Plugins\\", "Moved=Bad.Tool|[drive]Bad\\Moved\\"});
    WriteEveryDefinitionFile();
    StartProgram();
    ScanAndTickEverything();

    disk.FillLeaving(300 * 1024);
    RemoveTicked();

    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(ReadHostFileOrEmpty(otherDisk.path() / "Bad/Plugins" /
                                      ("plugin" + std::to_string(i) + ".txt")),
                  Filler(200 * 1024, 'p'));
    }
    std::vector<std::string> quarantined;
    for (const auto& entry : fs::directory_iterator(QuarantineHostFolder())) {
        quarantined.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(quarantined, std::vector<std::string>{"Moved"}) << "no partial folder, hidden or not";
    EXPECT_TRUE(ReadHostFileOrEmpty(QuarantineHostFolder() / "Moved/moved.txt") ==
                Filler(400 * 1024, 'm'));
    EXPECT_EQ(frmDelete().lstProblem.ListItems.Count(), 1) << "the user is shown what stayed";
}

TEST_F(DiskFullTest, StagedDefinitionsWaitWholeUntilThereIsRoomToPutThemInPlace) {
    WriteDefinitions(kFileDefinitionFile, {"old.exe=Old|[windir]"});
    const std::string old = DefinitionFileBytes(kFileDefinitionFile);
    std::vector<std::string> fresh;
    for (int i = 0; i < 5000; ++i) {
        fresh.push_back("new" + std::to_string(i) + ".exe=New|[windir]");
    }
    WriteDefinitions("DLFileDefinition.dat", fresh);
    const std::string staged = DefinitionFileBytes("DLFileDefinition.dat");
    WriteEveryDefinitionFile();

    disk.FillLeaving();
    StartProgram();

    EXPECT_EQ(DefinitionFileBytes(kFileDefinitionFile), old);
    EXPECT_EQ(DefinitionFileBytes("DLFileDefinition.dat"), staged);
    EXPECT_EQ(gFileDefCount, 1);

    disk.Free();
    EndProgram();
    StartProgram();
    EXPECT_EQ(DefinitionFileBytes(kFileDefinitionFile), staged);
    EXPECT_FALSE(fs::exists(program.path() / "DLFileDefinition.dat"));
    EXPECT_EQ(gFileDefCount, 5000);
}

TEST_F(DiskFullTest, AnUpdateThatDoesNotFitLeavesEveryDefinitionFileAndTheDate) {
    program.WriteFile("date.dat", "4/1/2006\r\n");
    WriteDefinitions(kFileDefinitionFile, {"old.exe=Old|[windir]", "gone.exe=Gone|[windir]"});
    WriteDefinitions(kExeDefinitionFile, {"old.exe=Old|[windir]"});
    WriteEveryDefinitionFile();
    std::string package;
    for (int i = 0; i < 3000; ++i) {
        package += EncodeLine("EXE") + "|ADD[DEF]" +
                   EncodeLine("new" + std::to_string(i) + ".exe") + "=" + EncodeLine("New") + "|" +
                   EncodeLine("[windir]") + "[BR]";
    }
    package += EncodeLine("FILE") + "|DEL[DEF]" + EncodeLine("gone.exe") + "=x";
    ServeUpdate(server, platform::Utf8ToWindows1252(package));
    StartProgram();
    const auto before = FolderContents(program.path());

    disk.FillLeaving(16 * 1024);
    RunUpdate();

    EXPECT_EQ(FolderContents(program.path()), before) << "every file as it was, nothing beside";
    EXPECT_EQ(DefinitionsNotice(), kDiskFullNotice);
    EXPECT_TRUE(FrmMain().cmdLiveUpdate.Enabled());

    disk.Free();
    RunUpdate();
    EXPECT_EQ(ReadDefinitionLines(kExeDefinitionFile).size(), 3001u);
    EXPECT_EQ(ReadDefinitionLines(kFileDefinitionFile).size(), 3001u) << "gone.exe went";
    EXPECT_EQ(ReadHostFileOrEmpty(program.path() / "date.dat"), "4/2/2006 9:30:00 AM\r\n");
}

TEST_F(DiskFullTest, ARegistryDeletionThatCannotBeWrittenLeavesTheHiveWholeAndIsListed) {
    for (int i = 0; i < 200; ++i) {
        SetRegistryValue(HKEY_CURRENT_USER, "Software\\Filler", "v" + std::to_string(i),
                         Filler(200, 'r'));
    }
    SetRegistryValue(HKEY_CURRENT_USER, "Software\\Nag", "Level", "9");
    WriteDefinitions(kRegistryDefinitionFile, {"1^Software\\Nag^Level=Nag.Ware"});
    WriteEveryDefinitionFile();
    StartProgram();
    ScanAndTickEverything();
    const fs::path userHive = machine.prefix().prefix().userHive();
    const std::string hiveBefore = ReadHostFileOrEmpty(userHive);

    disk.FillLeaving();
    // Without room for its restore point the removal leaves the registry alone and says why.
    host.ExpectMsgBox(forms::MsgBoxResult::Yes);
    host.ExpectMsgBox(forms::MsgBoxResult::Ok);
    FrmMain().Command4.Click();

    EXPECT_EQ(ReadHostFileOrEmpty(userHive), hiveBefore);
    EXPECT_EQ(RegistryValue(HKEY_CURRENT_USER, "Software\\Nag", "Level"), "9");
    EXPECT_EQ(frmDelete().lstProblem.ListItems.Count(), 1) << "the user is shown what stayed";

    disk.Free();
    EndProgram();
    StartProgram();
    ScanAndTickEverything();
    RemoveTicked();
    EXPECT_TRUE(HiveReadsWhole(userHive));
    EXPECT_EQ(RegistryValue(HKEY_CURRENT_USER, "Software\\Nag", "Level"), std::nullopt);
    EXPECT_EQ(RegistryValue(HKEY_CURRENT_USER, "Software\\Filler", "v199"), Filler(200, 'r'));
}

TEST_F(DiskFullTest, SettingsThatCannotBeWrittenKeepTheirOldValues) {
    StartProgram();
    FrmMain().chkScanCookies.SetValue(1);
    const std::string before = ReadHostFileOrEmpty(UserSettingsFile());

    disk.FillLeaving();
    FrmMain().chkScanCookies.SetValue(0);
    // The machine-wide store says when it cannot write, and the user may give up.
    host.ExpectMsgBox({forms::MsgBoxResult::Abort, std::nullopt, "Permission Denied", {}, {}});
    SaveMachineSetting(gProgramName, "Settings", "showHelp", "1");

    EXPECT_EQ(ReadHostFileOrEmpty(UserSettingsFile()), before);
    EXPECT_TRUE(HiveReadsWhole(UserSettingsFile()));
    EXPECT_TRUE(HiveReadsWhole(machine.prefix().prefix().systemHive()));
    EndProgram();
    StartProgram();
    EXPECT_EQ(FrmMain().chkScanCookies.Value(), 1);

    disk.Free();
    FrmMain().chkScanCookies.SetValue(0);
    EndProgram();
    StartProgram();
    EXPECT_EQ(FrmMain().chkScanCookies.Value(), 0);
}

}  // namespace
