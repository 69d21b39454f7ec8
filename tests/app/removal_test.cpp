// The removal of ticked results: the Delete button's questions, the sequence with its quarantine,
// registry deletions, restore point, leftovers and count, on a temporary prefix.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <functional>
#include <optional>
#include <set>

#include "engine/globals.h"
#include "engine/registry_removal.h"
#include "engine/system_restore.h"
#include "forms/form_registry.h"
#include "foundation/definition_files.h"
#include "foundation/globals.h"
#include "foundation/machine_settings.h"
#include "foundation/program_error.h"
#include "foundation/settings_store.h"
#include "platform/path_mapper.h"
#include "removal_fixture.h"
#include "support/child_process.h"
#include "support/fake_wine.h"
#include "ui/frm_delete.h"

namespace fs = std::filesystem;
using platform::HKEY_CURRENT_USER;
using platform::HKEY_LOCAL_MACHINE;

namespace {

const std::string kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class RemovalSequenceTest : public RemovalTest {
  protected:
    RemovalSequenceTest() {
        window.lbltracesFound.SetCaption("0");
        host.SetDoEventsLimit(100000);
    }

    // A scan that finds three threats with five traces: a program with its library and its
    // plug-in folder; a registry key (its default value, a sub-key) with a value elsewhere; a
    // tracking cookie, whose file is no trace.
    void ScanThreeThreatsWithFiveTraces() {
        badExe = WriteFileOnC("Program Files/Bad/bad.exe", "bad program");
        badDll = WriteFileOnC("Program Files/Bad/helper.dll", "bad library");
        WriteFileOnC("Program Files/Bad/Plugins/plugin.txt", "plug-in");
        cookie = WriteFileOnC(
            "users/tester/AppData/Local/Microsoft/Windows/INetCookies/"
            "tester@ads[1].txt",
            "id\nc0ffee\nads.example/\n1024\n*\n");
        SetRegistryValue(HKEY_CURRENT_USER, "Software\\Nag", "", "nag default");
        SetRegistryValue(HKEY_CURRENT_USER, "Software\\Nag\\Settings", "Level", "9");
        SetRegistryValue(HKEY_LOCAL_MACHINE, kRunKey, "NagStart", "nag.exe");
        SetRegistryValue(HKEY_LOCAL_MACHINE, kRunKey, "Good", "good.exe");

        WriteDefinitions(kFileDefinitionFile, {"bad.exe=Bad.Tool|[drive]Program Files\\Bad",
                                               "helper.dll=Bad.Tool|[drive]Program Files\\Bad"});
        WriteDefinitions(kDirectoryDefinitionFile,
                         {"Plugins=Bad.Tool|[drive]Program Files\\Bad\\Plugins\\"});
        WriteDefinitions(kRegistryDefinitionFile,
                         {"1^Software\\Nag^=Nag.Ware", "2^" + kRunKey + "^NagStart=Nag.Ware"});
        WriteDefinitions(kBlockedCookiesFile, {"*ads.example"});
        WriteEveryDefinitionFile();
        SaveSetting(gProgramName, "OptionAndSettings", "chkSweepMemory", "False");
        window.cmdScanNow.Click();
        ASSERT_EQ(RowTexts(threats),
                  (std::vector<std::string>{"Cookie: tester@ads[1].txt", "Nag.Ware", "Bad.Tool"}));
        ASSERT_EQ(window.lbltracesFound.Caption(), "5");
    }

    void Delete() {
        host.ExpectMsgBox(forms::MsgBoxResult::Yes);
        window.Command4.Click();
    }

    std::string RemovedTotal() {
        return GetSetting(gProgramName, "Settings", "lblDefRemoved", "0");
    }

    std::string UserHiveText() const {
        return test_support::ReadHostFileOrEmpty(hives.machine().prefix().userHive());
    }

    std::vector<std::string> Problems() { return RowTexts(frmDelete().lstProblem); }

    forms::ListView& threats = window.lvwPicRemoveListOfSpywareFoundAndToBeRemoved;
    std::string badExe;
    std::string badDll;
    std::string cookie;
};

TEST_F(RemovalSequenceTest, DeleteWantsATickedThreatButAsksNothingAfterAScheduledScan) {
    AddFileThreat(WriteFileOnC("bad.exe", "x"), "Bad.Tool");
    host.ExpectMsgBox({forms::MsgBoxResult::Ok,
                       "No entries are selected.  You must check the box next to at least one "
                       "item in the list.",
                       gProgramName,
                       forms::MsgBoxInformation,
                       {}});
    window.Command4.Click();

    gAutoRemoveAfterScan = true;
    window.Command4.Click();  // no box, no removal
    EXPECT_TRUE(HostFileExists("C:\\bad.exe"));

    UserTicks(1);
    window.Command4.Click();  // no question either
    EXPECT_FALSE(HostFileExists("C:\\bad.exe"));
    EXPECT_TRUE(host.MsgBoxesShown().size() == 1);
}

TEST_F(RemovalSequenceTest, TheQuestionMentionsTheRestorePointOnlyWhereThereAreRestorePoints) {
    AddFileThreat(WriteFileOnC("bad.exe", "x"), "Bad.Tool");
    UserTicks(1);
    const std::string twoParagraphs =
        "Are you sure you want to delete the selected files?\r\n\r\nDeleted files will be backed "
        "up in the following folder in case you need to recover them:\r\n\r\n" +
        program.windowsPath() + "\\quarantine";
    host.ExpectMsgBox({forms::MsgBoxResult::No,
                       twoParagraphs +
                           "\r\n\r\nIn addition, a System Restore Point will be created using "
                           "Windows System Restore, accessible through:\r\n\r\nStart > Programs > "
                           "Accessories > System Tools > System Restore",
                       "Really Delete?",
                       forms::MsgBoxYesNo,
                       {}});
    window.Command4.Click();

    hives.machine().OverrideVersion(platform::OsVersion{platform::VER_PLATFORM_WIN32_NT, 5, 0});
    host.ExpectMsgBox(
        {forms::MsgBoxResult::No, twoParagraphs, "Really Delete?", forms::MsgBoxYesNo, {}});
    window.Command4.Click();

    EXPECT_TRUE(HostFileExists("C:\\bad.exe"));
    EXPECT_FALSE(fs::exists(QuarantineHostFolder()));
}

TEST_F(RemovalSequenceTest, AScanAndRemovalTakeWhatIsTickedKeepCopiesAndCountTheScan) {
    ScanThreeThreatsWithFiveTraces();
    SaveSetting(gProgramName, "Settings", "lblDefRemoved", "4");
    window.cmdSelectAll.Click();
    window.tmrMemoryInspected.SetEnabled(true);
    bool shieldsRanDuringRemoval = false;
    host.OnEveryDoEvents([&](int) {
        shieldsRanDuringRemoval = shieldsRanDuringRemoval || window.tmrMemoryInspected.Enabled() ||
                                  window.tmrScheduler.Enabled() ||
                                  window.tmrCheckHomePage.Enabled();
    });
    Delete();
    EXPECT_FALSE(shieldsRanDuringRemoval);

    EXPECT_FALSE(HostFileExists(badExe));
    EXPECT_FALSE(HostFileExists(badDll));
    EXPECT_FALSE(HostFileExists("C:\\Program Files\\Bad\\Plugins"));
    EXPECT_FALSE(HostFileExists(cookie));
    EXPECT_EQ(QuarantinedContent("bad.exe"), "bad program");
    EXPECT_EQ(QuarantinedContent("helper.dll"), "bad library");
    EXPECT_EQ(QuarantinedContent("Plugins/plugin.txt"), "plug-in");
    EXPECT_EQ(QuarantinedContent("tester@ads[1].txt").substr(0, 3), "id\n");

    // The key row takes the key's default value, then the whole tree, in the hive file itself.
    EXPECT_EQ(UserHiveText().find("Software\\\\Nag"), std::string::npos);
    EXPECT_FALSE(RegistryValueThere(HKEY_LOCAL_MACHINE, kRunKey, "NagStart"));
    EXPECT_TRUE(RegistryValueThere(HKEY_LOCAL_MACHINE, kRunKey, "Good"));
    const std::string stamp = "3/16/2006 10:00:00 AM";
    EXPECT_EQ(QuarantineLogText(),
              stamp + " - File: bad.exe\r\n - Location: " + badExe + "\r\n\r\n\r\n" + stamp +
                  " - File: helper.dll\r\n - Location: " + badDll + "\r\n\r\n\r\n" + stamp +
                  " - Key: HKEY_CURRENT_USER\\Software\\Nag\r\nValue: \r\n\r\n\r\n" + stamp +
                  " - Key: -2147483647\\Software\\Nag\r\nValue: All Values\r\n\r\n\r\n" + stamp +
                  " - Key: HKEY_LOCAL_MACHINE\\" + kRunKey + "\r\nValue: NagStart\r\n\r\n\r\n" +
                  stamp + " - File: tester@ads[1].txt\r\n - Location: " + cookie + "\r\n\r\n\r\n");

    EXPECT_EQ(threats.ListItems.Count(), 0);
    EXPECT_EQ(window.lvwFilesToBeDeleted.ListItems.Count(), 0);
    EXPECT_EQ(window.lvwRegistryToBeDeleted.ListItems.Count(), 0);
    EXPECT_EQ(RowTexts(window.lvwCookiesToDelete), std::vector<std::string>{cookie});
    EXPECT_EQ(window.lvwSpywareFound.ListItems.Count(), 3);  // the scan log keeps its lines
    EXPECT_EQ(RemovedTotal(), "12");                         // 4 + 3 threats + 5 traces, each once
    EXPECT_EQ(window.lblDefRemoved.Caption(), "12");
    EXPECT_FALSE(frmDelete().Visible());
    EXPECT_EQ(window.lblDeletingPercentageCompleted.Caption(), "100% Complete");
    EXPECT_FALSE(window.lblDeletingPercentageCompleted.Visible());
    EXPECT_TRUE(window.lblRemove.Enabled());

    // A second removal after the same scan finds nothing left to take, and counts nothing.
    window.lblRemove.Click();
    EXPECT_EQ(RemovedTotal(), "12");
}

// The registry phase lists the threat; its program file, met later by the file phase, goes with
// it all the same, or stays listed with its threat when it cannot be deleted.
TEST_F(RemovalSequenceTest, AThreatFirstMetInTheRegistryTakesItsFilesAlong) {
    SetRegistryValue(HKEY_CURRENT_USER, "Software\\Nag", "", "nag default");
    const std::string program = WriteFileOnC("Nag/nag.exe", "nag program");
    const std::string helper = WriteFileOnC("Nag/naghelp.exe", "nag helper");
    fs::permissions(HostPathOf(helper), fs::perms::owner_write, fs::perm_options::remove);
    WriteDefinitions(kRegistryDefinitionFile, {"1^Software\\Nag^=Nag.Ware"});
    WriteDefinitions(kFileDefinitionFile,
                     {"nag.exe=Nag.Ware|[drive]Nag", "naghelp.exe=Nag.Ware|[drive]Nag"});
    WriteEveryDefinitionFile();
    SaveSetting(gProgramName, "OptionAndSettings", "chkSweepMemory", "False");
    window.cmdScanNow.Click();
    ASSERT_EQ(RowTexts(threats), std::vector<std::string>{"Nag.Ware"});
    ASSERT_EQ(threats.ListItems(1).SmallIcon(), static_cast<int>(ResultKind::Registry));

    UserTicks(1);
    Delete();

    EXPECT_FALSE(RegistryKeyThere(HKEY_CURRENT_USER, "Software\\Nag"));
    EXPECT_FALSE(HostFileExists(program));
    EXPECT_EQ(QuarantinedContent("nag.exe"), "nag program");
    EXPECT_TRUE(HostFileExists(helper));
    EXPECT_EQ(Problems(), std::vector<std::string>{helper});
    EXPECT_EQ(RowTexts(threats), std::vector<std::string>{"Nag.Ware"});
    EXPECT_FALSE(threats.ListItems(1).Checked());
    EXPECT_EQ(RowTexts(window.lvwFilesToBeDeleted), std::vector<std::string>{helper});
    EXPECT_EQ(window.lvwRegistryToBeDeleted.ListItems.Count(), 0);
}

TEST_F(RemovalSequenceTest, ARestorePointSnapshotsTheHivesBeforeTheRemoval) {
    ScanThreeThreatsWithFiveTraces();
    window.cmdSelectAll.Click();
    Delete();
    EXPECT_EQ(gRestorePointSeq, 0);
    const fs::path snapshot = userFolders.path() / "data/tollenwark/restore-points/1";
    EXPECT_NE(test_support::ReadHostFileOrEmpty(snapshot / "user.reg").find("Software\\\\Nag"),
              std::string::npos);
    const std::string note = test_support::ReadHostFileOrEmpty(snapshot / "restore-point.txt");
    EXPECT_NE(note.find("Description: " + gProgramName + " Restore Point 3/16/2006 10:00:00 AM\n"),
              std::string::npos);
    EXPECT_NE(note.find("\nEnded: "), std::string::npos);

    // Without restore points there is no snapshot.
    hives.machine().OverrideVersion(platform::OsVersion{platform::VER_PLATFORM_WIN32_NT, 5, 2});
    AddFileThreat(WriteFileOnC("again.exe", "x"), "Again");
    UserTicks(1);
    Delete();
    EXPECT_FALSE(fs::exists(snapshot.parent_path() / "2"));
}

TEST_F(RemovalSequenceTest, ARestorePointMustBeEndedBeforeTheNextBegins) {
    ASSERT_EQ(BeginRestorePoint("first", 6), platform::ERROR_SUCCESS);
    const std::int64_t open = gRestorePointSeq;
    try {
        BeginRestorePoint("second", 6);
        ADD_FAILURE() << "a second restore point began";
    } catch (const ProgramError& error) {
        EXPECT_EQ(error.number(), 100001);
        EXPECT_EQ(error.description(), "You must End the previous restore point first.");
    }
    EXPECT_EQ(gRestorePointSeq, open);
    EXPECT_TRUE(EndRestorePoint());
    EXPECT_EQ(gRestorePointSeq, 0);
    EXPECT_FALSE(EndRestorePoint());  // nothing open
}

TEST_F(RemovalSequenceTest, AProgramFileThatCannotBeDeletedIsListedAndKeepsItsRowsUnticked) {
    ScanThreeThreatsWithFiveTraces();
    fs::permissions(HostPathOf(badExe), fs::perms::owner_write, fs::perm_options::remove);
    // Nor can a folder that a running program holds a file of.
    const fs::path held = HostPathOf("C:\\Program Files\\Bad\\Plugins\\plugin.txt");
    auto holder = test_support::ChildProcess::Fork([&] {
        const int descriptor = ::open(held.c_str(), O_RDONLY);
        ::flock(descriptor, LOCK_EX);
    });
    window.cmdSelectAll.Click();
    Delete();

    EXPECT_TRUE(HostFileExists(badExe));
    EXPECT_FALSE(HostFileExists(badDll));
    EXPECT_TRUE(HostFileExists("C:\\Program Files\\Bad\\Plugins\\plugin.txt"));
    EXPECT_TRUE(frmDelete().Visible());
    const std::string plugins = "C:\\Program Files\\Bad\\Plugins\\";
    EXPECT_EQ(Problems(), (std::vector<std::string>{badExe, plugins}));
    EXPECT_EQ(RowTexts(threats), std::vector<std::string>{"Bad.Tool"});
    EXPECT_FALSE(threats.ListItems(1).Checked());
    EXPECT_EQ(RowTexts(window.lvwFilesToBeDeleted), (std::vector<std::string>{badExe, plugins}));
    EXPECT_FALSE(window.lvwFilesToBeDeleted.ListItems(1).Checked());
    // The program is in quarantine, and logged once, although it stays.
    EXPECT_EQ(QuarantinedContent("bad.exe"), "bad program");
    EXPECT_EQ(QuarantineLogText().find(" - File: bad.exe"),
              QuarantineLogText().rfind(" - File: bad.exe"));
    // What stayed is not counted: two threats and three traces went.
    EXPECT_EQ(RemovedTotal(), "5");
}

// A removal logs a file when it copied or removed it, once; a file that stays, whose copy an
// earlier removal made, gets no entry.
TEST_F(RemovalSequenceTest, AFileIsLoggedOnceByTheRemovalThatCopiedOrRemovedIt) {
    const std::string program = WriteFileOnC("Bad/bad.exe", "bad program");
    const std::string library = WriteFileOnC("Bad/bad.dll", "bad library");
    for (const std::string& path : {program, library}) {
        fs::permissions(HostPathOf(path), fs::perms::owner_write, fs::perm_options::remove);
    }
    AddFileThreat(program, "Bad.Tool");
    AddFileThreat(library, "Bad.Tool");
    const auto entry = [](const std::string& name, const std::string& path) {
        return "3/16/2006 10:00:00 AM - File: " + name + "\r\n - Location: " + path +
               "\r\n\r\n\r\n";
    };
    UserTicks(1);
    Delete();
    const std::string copied = entry("bad.exe", program) + entry("bad.dll", library);
    EXPECT_EQ(QuarantineLogText(), copied);

    UserTicks(1);
    Delete();
    EXPECT_EQ(QuarantineLogText(), copied);
    EXPECT_TRUE(HostFileExists(program));
    EXPECT_TRUE(HostFileExists(library));

    fs::permissions(HostPathOf(library), fs::perms::owner_write, fs::perm_options::add);
    UserTicks(1);
    Delete();
    EXPECT_FALSE(HostFileExists(library));
    EXPECT_EQ(QuarantineLogText(), copied + entry("bad.dll", library));
}

// Registry entries go only once a whole restore point exists (where restore points are kept), and
// while Wine's server holds the registry, through Wine's tool in one run. Otherwise they stay,
// listed and not counted, and the user is told why once; the files go all the same.
TEST_F(RemovalSequenceTest, RegistryEntriesGoOnlyAfterAWholeRestorePointAndThroughRunningWine) {
    using Behaviour = test_support::FakeWine::Behaviour;
    const fs::path restorePoints = userFolders.path() / "data/tollenwark/restore-points";
    const struct {
        const char* name;
        bool serverRuns;
        Behaviour wine;
        bool restorePoints;
        bool folderWritable;  // the restore points'
        std::string told;     // how the box that tells begins; "" for none
    } cases[] = {
        {"Wine's tool takes them", true, Behaviour::Works, true, true, ""},
        {"no export, no restore point", true, Behaviour::Fails, true, true,
         gProgramName + " could not make a restore point"},
        {"Wine's tool fails", true, Behaviour::Fails, false, true,
         gProgramName + " could not remove the registry entries"},
        {"a read-only restore-point folder", false, Behaviour::Works, true, false,
         gProgramName + " could not make a restore point"},
    };
    int expectedTotal = 0;
    for (const auto& [name, serverRuns, behaviour, keepsRestorePoints, folderWritable, told] :
         cases) {
        SCOPED_TRACE(name);
        ScanThreeThreatsWithFiveTraces();
        window.cmdSelectAll.Click();
        hives.machine().OverrideVersion(
            keepsRestorePoints
                ? std::nullopt
                : std::optional(platform::OsVersion{platform::VER_PLATFORM_WIN32_NT, 5, 2}));
        fs::create_directories(restorePoints);
        fs::permissions(restorePoints, fs::perms::owner_write,
                        folderWritable ? fs::perm_options::add : fs::perm_options::remove);
        const test_support::FakeWine wine(behaviour);
        std::optional<test_support::ChildProcess> server;
        if (serverRuns) {
            server.emplace(hives.RunWineServer());
        }
        const std::size_t boxes = host.MsgBoxesShown().size();
        host.ExpectMsgBox(forms::MsgBoxResult::Yes);
        if (!told.empty()) {
            host.ExpectMsgBox(forms::MsgBoxResult::Ok);
        }
        window.Command4.Click();
        fs::permissions(restorePoints, fs::perms::owner_write, fs::perm_options::add);

        const bool removed = told.empty();
        ASSERT_EQ(host.MsgBoxesShown().size(), boxes + (removed ? 1 : 2));  // and the question
        EXPECT_TRUE(removed || host.MsgBoxesShown().back().text.starts_with(told));
        EXPECT_EQ(RegistryKeyThere(HKEY_CURRENT_USER, "Software\\Nag"), !removed);
        EXPECT_EQ(RegistryValueThere(HKEY_LOCAL_MACHINE, kRunKey, "NagStart"), !removed);
        EXPECT_TRUE(RegistryValueThere(HKEY_LOCAL_MACHINE, kRunKey, "Good"));
        EXPECT_FALSE(HostFileExists(badExe));
        const std::vector<std::string> kept = {"HKEY_CURRENT_USER\\Software\\Nag",
                                               "HKEY_LOCAL_MACHINE\\" + kRunKey + "\\NagStart"};
        EXPECT_EQ(Problems(), removed ? std::vector<std::string>{} : kept);
        EXPECT_EQ(window.lvwRegistryToBeDeleted.ListItems.Count(), removed ? 0 : 2);
        const std::vector<std::string> runs = wine.Runs();
        const auto imports = std::count_if(runs.begin(), runs.end(), [](const std::string& run) {
            return run.starts_with("reg import");
        });
        EXPECT_EQ(imports, serverRuns && (removed || !keepsRestorePoints) ? 1 : 0);
        expectedTotal += removed ? 8 : 5;  // else the cookie and the tool with their three traces
        EXPECT_EQ(RemovedTotal(), std::to_string(expectedTotal));
    }
    EXPECT_NE(QuarantineLogText().find("Key: HKEY_CURRENT_USER\\Software\\Nag"), std::string::npos);
}

// Whatever a definition names, the roots, the keys right below the top of a hive, the keys that
// hold the program's own machine-wide key or Wine's configuration, and what lies in those two stay:
// each such row is listed as not deleted and kept, while the other rows go.
TEST_F(RemovalSequenceTest, ARemovalLeavesTheRegistrysRootsAndTopKeysAndItsOwnAndWinesKeys) {
    using platform::HKEY_CLASSES_ROOT;
    using platform::HKEY_USERS;
    const std::string own = MachineSettingsKeyPath();
    const struct {
        platform::RegRoot root;
        std::string key;
        std::string value;
        bool kept;
    } rows[] = {
        {HKEY_LOCAL_MACHINE, "Software", "", true},
        {HKEY_CURRENT_USER, "Software\\", "", true},
        {HKEY_LOCAL_MACHINE, "", "", true},
        {HKEY_CLASSES_ROOT, "", "", true},
        {HKEY_USERS, ".Default\\Software", "", true},
        {HKEY_LOCAL_MACHINE, own.substr(0, own.rfind('\\')), "", true},
        {HKEY_LOCAL_MACHINE, own + "\\Settings", "FirstTime", true},
        {HKEY_CURRENT_USER, "software\\wine", "", true},
        {HKEY_CURRENT_USER, "Software\\Wine\\Drives", "c:", true},
        {HKEY_LOCAL_MACHINE, "Software\\Bad", "Run", false},
        {HKEY_CURRENT_USER, "Software\\Bad", "", false},
        {HKEY_CLASSES_ROOT, "Bad.Object", "", false},
    };
    std::vector<std::string> kept;
    for (const auto& row : rows) {
        const std::string key = row.key.empty() ? "Software\\Filler" : row.key;
        SetRegistryValue(row.root == HKEY_CLASSES_ROOT ? HKEY_LOCAL_MACHINE : row.root,
                         (row.root == HKEY_CLASSES_ROOT ? "Software\\Classes\\" : "") + key,
                         row.value.empty() ? "x" : row.value, "data");
        AddRegistryThreat(row.root, row.key, row.value, "Threat " + std::to_string(kept.size()));
        if (row.kept) {
            kept.push_back(RegistryEntryLocation(row.root, row.key, row.value));
        }
    }
    window.cmdSelectAll.Click();
    Delete();
    EXPECT_EQ(Problems(), kept);
    for (const auto& row : rows) {
        const bool there = row.value.empty() ? RegistryKeyThere(row.root, row.key)
                                             : RegistryValueThere(row.root, row.key, row.value);
        EXPECT_EQ(there, row.kept) << RegistryEntryLocation(row.root, row.key, row.value);
    }
    EXPECT_EQ(window.lvwRegistryToBeDeleted.ListItems.Count(), static_cast<int>(kept.size()));
}

// Whatever the definitions name, a removal leaves the drive roots, the special folders and the
// folders holding them, and whatever lies on a drive that stands for the host's root (Z:, or any
// letter linked there): each such row is listed as not deleted and kept, and nothing of it is
// copied, while the other rows go.
TEST_F(RemovalSequenceTest, ARemovalLeavesTheWindowsFoldersAndTheHostAloneAndListsThem) {
    const test_support::TemporaryFolder hostFiles("tollenwark-host");
    const fs::path hostNotes = hostFiles.WriteFile("notes.txt", "host notes");
    const fs::path hostDiary = hostFiles.WriteFile("diary.txt", "host diary");
    const fs::path hostCookie = hostFiles.WriteFile("tester@ads[1].txt", "host cookie");
    fs::create_directory_symlink("/", hives.machine().prefix().dosdevices() / "y:");
    const std::string onZ = platform::ZDrivePath(hostFiles.path());
    const std::string onY = "Y" + onZ.substr(1);
    const std::string bad = WriteFileOnC("Bad/bad.exe", "bad program");
    const std::string ini = WriteFileOnC("windows/bad.ini", "bad settings");
    WriteFileOnC("Bad/Plugins/plugin.txt", "plug-in");
    WriteDefinitions(kFileDefinitionFile,
                     {"bad.exe=Bad.Tool|[drive]Bad", "bad.ini=Bad.Tool|[windir]",
                      "notes.txt=Host.Notes|" + onZ, "diary.txt=Host.Notes|" + onY});
    WriteDefinitions(kDirectoryDefinitionFile,
                     {"Plugins=Bad.Tool|[drive]Bad\\Plugins\\", "SendTo=Send.Hijack|[sendto]",
                      "ProgramData=Shared.Hijack|[drive]ProgramData", "Drive=Drive.Wiper|[drive]",
                      "Windows=Windows.Wiper|[windir]"});
    WriteEveryDefinitionFile();
    SaveSetting(gProgramName, "OptionAndSettings", "chkSweepMemory", "False");
    window.cmdScanNow.Click();
    AddCookieThreat(onZ + "\\tester@ads[1].txt");
    std::vector<std::string> refused = RowTexts(window.lvwFilesToBeDeleted);
    ASSERT_EQ(refused.size(), 9u);
    std::erase_if(refused, [](const std::string& path) {
        return path.find("Bad") != std::string::npos || path.ends_with("bad.ini");
    });
    const std::vector<std::string> keptFiles = refused;
    refused.push_back(onZ + "\\tester@ads[1].txt");

    window.cmdSelectAll.Click();
    Delete();

    EXPECT_EQ(Problems(), refused);
    EXPECT_EQ(RowTexts(window.lvwFilesToBeDeleted), keptFiles);
    EXPECT_EQ(RowTexts(threats),
              (std::vector<std::string>{"Host.Notes", "Send.Hijack", "Shared.Hijack", "Drive.Wiper",
                                        "Windows.Wiper", "Cookie: tester@ads[1].txt"}));
    for (const std::string& path : keptFiles) {
        EXPECT_TRUE(HostFileExists(path)) << path;
    }
    EXPECT_EQ(test_support::ReadHostFileOrEmpty(hostNotes), "host notes");
    EXPECT_EQ(test_support::ReadHostFileOrEmpty(hostDiary), "host diary");
    EXPECT_EQ(test_support::ReadHostFileOrEmpty(hostCookie), "host cookie");
    EXPECT_FALSE(HostFileExists(bad));
    EXPECT_FALSE(HostFileExists(ini));
    EXPECT_FALSE(HostFileExists("C:\\Bad\\Plugins"));
    std::set<std::string> quarantined;
    for (const auto& entry : fs::directory_iterator(QuarantineHostFolder())) {
        quarantined.insert(entry.path().filename().string());
    }
    EXPECT_EQ(quarantined,
              (std::set<std::string>{"Plugins", "QuarantineLog.txt", "bad.exe", "bad.ini"}));
}

// The world moves between the check of a file and the act on it (here while the first of its
// deletion passes is refused): a link put in place of its folder, or the prefix's drive links gone.
// Nothing outside the prefix is touched; what can no longer be checked is listed and kept.
TEST_F(RemovalSequenceTest, WhatChangesBetweenTheCheckAndTheActRedirectsNothing) {
    const test_support::TemporaryFolder outside("tollenwark-outside");
    const fs::path driveC = hives.machine().prefix().driveC();
    struct Change {
        std::string name;
        std::function<void()> make;
        bool keepsTheRest;  // the rows after it stay and are listed
    };
    const std::vector<Change> changes = {
        {"a link in place of the folder",
         [&] {
             fs::rename(driveC / "Bad", driveC / "Checked");
             fs::create_directory_symlink(outside.path(), driveC / "Bad");
         },
         false},
        {"the drive links gone", [&] { fs::remove(hives.machine().prefix().dosdevices() / "c:"); },
         true},
    };
    // Made once the file's copy is in place, before its next deletion pass.
    std::function<void()> pending;
    host.OnEveryDoEvents([&](int) {
        if (pending && fs::exists(QuarantineHostFolder() / "bad.txt")) {
            std::exchange(pending, nullptr)();
        }
    });
    for (const Change& change : changes) {
        SCOPED_TRACE(change.name);
        const fs::path victim = outside.WriteFile("bad.txt", "not the prefix's");
        const std::string bad = WriteFileOnC("Bad/bad.txt", "bad");
        const std::string later = WriteFileOnC("Later/later.txt", "later");
        fs::permissions(HostPathOf(bad), fs::perms::owner_write, fs::perm_options::remove);
        for (forms::ListView* list :
             {&threats, &window.lvwFilesToBeDeleted, &window.lvwSpywareFound}) {
            list->ListItems.Clear();
        }
        AddFileThreat(bad, "Bad.Tool");
        AddFileThreat(later, "Later.Tool");
        UserTicks(1);
        UserTicks(2);
        bool changed = false;
        pending = [&] {
            changed = true;
            change.make();
            fs::permissions(
                driveC / (fs::exists(driveC / "Checked") ? "Checked" : "Bad") / "bad.txt",
                fs::perms::owner_write, fs::perm_options::add);
        };
        Delete();

        EXPECT_TRUE(changed);
        EXPECT_EQ(test_support::ReadHostFileOrEmpty(victim), "not the prefix's");
        const std::vector<std::string> listed = change.keepsTheRest
                                                    ? std::vector<std::string>{bad, later}
                                                    : std::vector<std::string>{bad};
        EXPECT_EQ(Problems(), listed);
        EXPECT_EQ(fs::exists(driveC / "Later/later.txt"), change.keepsTheRest);
        // The prefix as it was for the next change.
        test_support::RemoveTree(driveC / "Bad");
        test_support::RemoveTree(driveC / "Checked");
        test_support::RemoveTree(QuarantineHostFolder());
        std::error_code linkedAlready;
        fs::create_directory_symlink("../drive_c",
                                     hives.machine().prefix().dosdevices() / "c:", linkedAlready);
    }
}

// A FIFO and a link to /dev/zero where a named file or a cookie file should be: the scan and the
// removal end at once, never opening or reading them (memory stays where it was), and list them.
TEST_F(RemovalSequenceTest, FifosAndDevicesAreNeverOpenedOrReadAndAreListed) {
    const std::string cookies =
        "C:\\users\\tester\\AppData\\Local\\Microsoft\\Windows\\INetCookies\\";
    // FIFOs first, then links to /dev/zero; each at a named file and a cookie file.
    const std::vector<std::string> odd = {"C:\\Odd\\fifo.exe", cookies + "tester@ads[1].txt",
                                          "C:\\Odd\\zero.exe", cookies + "tester@ads[2].txt"};
    for (std::size_t i = 0; i < odd.size(); ++i) {
        const fs::path host = HostPathOf(odd[i]);
        fs::create_directories(host.parent_path());
        if (i < 2) {
            ASSERT_EQ(::mkfifo(host.c_str(), 0644), 0);
        } else {
            fs::create_symlink("/dev/zero", host);
        }
    }
    WriteDefinitions(kFileDefinitionFile, {"fifo.exe=Odd|[drive]Odd", "zero.exe=Odd|[drive]Odd"});
    WriteDefinitions(kBlockedCookiesFile, {"*ads.example"});
    WriteEveryDefinitionFile();
    SaveSetting(gProgramName, "OptionAndSettings", "chkSweepMemory", "False");
    const auto peakMemory = [] {
        std::ifstream status("/proc/self/status");
        for (std::string line; std::getline(status, line);) {
            if (line.starts_with("VmHWM:")) {
                return std::stol(line.substr(6));  // kB
            }
        }
        return 0L;
    };
    const long peakBefore = peakMemory();
    const auto start = std::chrono::steady_clock::now();

    window.cmdScanNow.Click();
    ASSERT_EQ(RowTexts(window.lvwFilesToBeDeleted), (std::vector<std::string>{odd[0], odd[2]}));
    ASSERT_EQ(window.lvwCookiesToDelete.ListItems.Count(), 0) << "no cookie can be read from them";
    // Rows a scan made while the cookie files were still files.
    AddCookieThreat(odd[1]);
    AddCookieThreat(odd[3]);
    window.cmdSelectAll.Click();
    Delete();

    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_LT(peakMemory() - peakBefore, 128 * 1024);
    EXPECT_EQ(Problems(), (std::vector<std::string>{odd[0], odd[2], odd[1], odd[3]}));
    EXPECT_EQ(fs::status(HostPathOf(odd[0])).type(), fs::file_type::fifo);
    EXPECT_EQ(fs::status(HostPathOf(odd[1])).type(), fs::file_type::fifo);
}

TEST_F(RemovalSequenceTest, TheDeleteFailedWindowCollectsLeftoversUntilTheNextDelete) {
    const std::string first = WriteFileOnC("first.exe", "1");
    const std::string second = WriteFileOnC("second.exe", "2");
    fs::permissions(HostPathOf(first), fs::perms::owner_write, fs::perm_options::remove);
    fs::permissions(HostPathOf(second), fs::perms::owner_write, fs::perm_options::remove);
    AddFileThreat(first, "First");
    AddFileThreat(second, "Second");
    UserTicks(1);
    Delete();
    EXPECT_EQ(Problems(), std::vector<std::string>{first});

    frmDelete().Command2.Click();
    EXPECT_EQ(host.ClipboardText(), first + "\r\n");
    frmDelete().Command1.Click();
    EXPECT_FALSE(frmDelete().Visible());

    // The Remove label adds to the list; the Delete button starts it afresh.
    UserTicks(2);
    window.lblRemove.Click();
    EXPECT_EQ(Problems(), (std::vector<std::string>{first, second}));
    frmDelete().Command2.Click();
    EXPECT_EQ(host.ClipboardText(), first + "\r\n" + second + "\r\n");

    frmDelete().Command1.Click();
    threats.ListItems.Clear();
    AddFileThreat(WriteFileOnC("third.exe", "3"), "Third");
    UserTicks(1);
    Delete();
    EXPECT_TRUE(Problems().empty());
    EXPECT_FALSE(frmDelete().Visible());

    frmDelete().Command2.Click();
    EXPECT_EQ(host.ClipboardText(), "");
}

}  // namespace
