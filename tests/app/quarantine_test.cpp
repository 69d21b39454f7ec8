// Quarantine copies, deletions and the quarantine log, on real files of a temporary prefix.
#include "engine/quarantine.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "engine/globals.h"
#include "engine/quarantine_log.h"
#include "engine/registry_removal.h"
#include "engine/removal_guard.h"
#include "platform/machine.h"
#include "removal_fixture.h"
#include "support/fake_wine.h"

namespace fs = std::filesystem;
using platform::HKEY_CURRENT_USER;
using platform::HKEY_LOCAL_MACHINE;

namespace {

class QuarantineTest : public RemovalTest {
  protected:
    QuarantineTest() {
        fs::create_directories(QuarantineHostFolder());
        gLogRemovals = true;
    }

    static std::string FileEntry(const std::string& name, const std::string& path) {
        return "3/16/2006 10:00:00 AM - File: " + name + "\r\n - Location: " + path +
               "\r\n\r\n\r\n";
    }
    // A quarantine operation on path with the guard's check of it, as the removal runs it.
    template <typename Operation, typename... Rest>
    static auto OnChecked(Operation operation, std::string_view path, Rest... rest) {
        return operation(path, RemovalGuard().Check(path), rest...);
    }
    // One registry deletion stored on its own: the key's tree, or its value valueName; whether it
    // was made and stored.
    static bool StoredAlone(platform::RegRoot root, std::string_view key,
                            std::optional<std::string_view> valueName) {
        RegistryDeletions deletions;
        const bool deleted = valueName ? deletions.DeleteValue(root, key, *valueName)
                                       : deletions.DeleteKeyTree(root, key);
        return deleted && deletions.Commit() == platform::ERROR_SUCCESS;
    }
    static std::string RegistryEntry(const std::string& key, const std::string& value) {
        return "3/16/2006 10:00:00 AM - Key: " + key + "\r\nValue: " + value + "\r\n\r\n\r\n";
    }
};

TEST_F(QuarantineTest, ARemovedFileIsCopiedDeletedAndLoggedOnceWhileLoggingIsOn) {
    const std::string bad = WriteFileOnC("Program Files/Bad/bad.exe", "bad program");
    EXPECT_EQ(OnChecked(StopAndQuarantineFile, bad), kFileRemoved);
    EXPECT_FALSE(HostFileExists(bad));
    EXPECT_EQ(QuarantinedContent("bad.exe"), "bad program");
    EXPECT_EQ(QuarantineLogText(), FileEntry("bad.exe", "C:\\Program Files\\Bad\\bad.exe"));

    gLogRemovals = false;
    const std::string quiet = WriteFileOnC("Temp/quiet.txt", "q");
    EXPECT_TRUE(OnChecked(QuarantinePath, quiet));
    EXPECT_FALSE(HostFileExists(quiet));
    EXPECT_EQ(QuarantinedContent("quiet.txt"), "q");
    EXPECT_EQ(QuarantineLogText(), FileEntry("bad.exe", "C:\\Program Files\\Bad\\bad.exe"));
}

TEST_F(QuarantineTest, WhatIsNotThereIsNeitherCopiedNorLogged) {
    EXPECT_EQ(OnChecked(StopAndQuarantineFile, "C:\\Program Files\\Bad\\gone.exe"),
              kFileNotPresent);
    EXPECT_EQ(OnChecked(StopAndQuarantineFile, "gone.exe"), kFileNotRemoved);
    EXPECT_EQ(OnChecked(QuarantineAndDeleteModule, "C:\\gone.dll", 0), kFileNotPresent);
    EXPECT_EQ(OnChecked(QuarantineAndDeleteModule, "gone.dll", 0), kFileNotRemoved);
    EXPECT_FALSE(OnChecked(QuarantinePath, "C:\\Nowhere\\"));
    EXPECT_FALSE(OnChecked(QuarantinePath, "nowhere"));
    EXPECT_FALSE(OnChecked(QuarantineFile, "C:\\gone.txt", "gone.txt"));
    OnChecked(QuarantineAndKillFile, "C:\\gone.txt");
    EXPECT_TRUE(fs::is_empty(QuarantineHostFolder()));
}

TEST_F(QuarantineTest, DifferentFilesOfOneNameAreAllKeptUnderNamesOfTheirOwn) {
    const std::string first = WriteFileOnC("One/a.dll", "first library");
    const std::string second = WriteFileOnC("Two/a.dll", "second library");
    const std::string cookie = WriteFileOnC("Cookies/a.dll", "a cookie of that name");
    EXPECT_EQ(OnChecked(QuarantineAndDeleteModule, first, 0), kFileRemoved);
    EXPECT_EQ(OnChecked(QuarantineAndDeleteModule, second, 0), kFileRemoved);
    OnChecked(QuarantineAndKillFile, cookie);

    EXPECT_EQ(QuarantinedContent("a.dll"), "first library");
    EXPECT_EQ(QuarantinedContent("a.dll.1"), "second library");
    EXPECT_EQ(QuarantinedContent("a.dll.2"), "a cookie of that name");
    EXPECT_EQ(QuarantineLogText(), FileEntry("a.dll", first) + FileEntry("a.dll.1", second) +
                                       FileEntry("a.dll.2", cookie));
    EXPECT_FALSE(HostFileExists(first));
    EXPECT_FALSE(HostFileExists(second));
    EXPECT_FALSE(HostFileExists(cookie));
}

// A file that stays in place is logged only when its copy was made just now.
TEST_F(QuarantineTest, AFileWhoseContentIsInQuarantineAlreadyIsNotCopiedAgain) {
    const std::string original = WriteFileOnC("One/a.dll", "same bytes");
    const std::string twin = WriteFileOnC("Two/A.DLL", "same bytes");
    fs::permissions(HostPathOf(original), fs::perms::owner_write, fs::perm_options::remove);
    OnChecked(QuarantineAndKillFile, original);
    EXPECT_EQ(QuarantineLogText(), FileEntry("a.dll", original));
    OnChecked(QuarantineAndKillFile, original);
    EXPECT_EQ(QuarantineLogText(), FileEntry("a.dll", original));
    OnChecked(QuarantineAndKillFile, twin);
    EXPECT_EQ(QuarantineLogText(), FileEntry("a.dll", original) + FileEntry("a.dll", twin));
    EXPECT_TRUE(HostFileExists(original));
    EXPECT_FALSE(HostFileExists(twin));
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(QuarantineHostFolder())) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"QuarantineLog.txt", "a.dll"}));
}

TEST_F(QuarantineTest, ALockedFileIsCopiedAndLoggedOnceAcrossItsDeletionPasses) {
    const std::string locked = WriteFileOnC("Bad/locked.exe", "x");
    fs::permissions(HostPathOf(locked), fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_TRUE(OnChecked(QuarantineFile, locked, "locked.exe"));
    EXPECT_TRUE(HostFileExists(locked));
    EXPECT_EQ(QuarantineLogText(), FileEntry("locked.exe", locked));
    EXPECT_EQ(QuarantinedContent("locked.exe"), "x");
    EXPECT_FALSE(fs::exists(QuarantineHostFolder() / "locked.exe.1"));
}

TEST_F(QuarantineTest, NothingIsDeletedWhenItsCopyCannotBeMade) {
    const std::string program = WriteFileOnC("Bad/bad.exe", "p");
    const std::string library = WriteFileOnC("Bad/bad.dll", "l");
    const std::string other = WriteFileOnC("Bad/bad.txt", "t");
    const std::string cookie = WriteFileOnC("Cookies/tester@ads.txt", "c");
    WriteFileOnC("Bad/Folder/inside.txt", "i");
    MakeQuarantineReadOnly();

    EXPECT_EQ(OnChecked(StopAndQuarantineFile, program), kFileNotRemoved);
    EXPECT_EQ(OnChecked(QuarantineAndDeleteModule, library, 0), kFileNotRemoved);
    EXPECT_TRUE(OnChecked(QuarantinePath, other));
    EXPECT_TRUE(OnChecked(QuarantinePath, "C:\\Bad\\Folder\\"));
    OnChecked(QuarantineAndKillFile, cookie);

    for (const std::string& path : {program, library, other, cookie}) {
        EXPECT_TRUE(HostFileExists(path)) << path;
    }
    EXPECT_TRUE(HostFileExists("C:\\Bad\\Folder\\inside.txt"));
    EXPECT_TRUE(fs::is_empty(QuarantineHostFolder()));

    // No quarantine folder at all: the same.
    test_support::RemoveTree(QuarantineHostFolder());
    EXPECT_EQ(OnChecked(StopAndQuarantineFile, program), kFileNotRemoved);
    EXPECT_TRUE(HostFileExists(program));
}

// The copy takes the name of the entry removed: a path's text after its last "\" ("a/../../b")
// never leads it out of the quarantine.
TEST_F(QuarantineTest, ACopyLandsInTheQuarantineUnderTheEntrysOwnName) {
    WriteFileOnC("Bad/Plugins/plugin.txt", "plug-in");
    EXPECT_TRUE(OnChecked(QuarantinePath, "C:\\Bad\\Plugins/../../Bad/Plugins\\"));
    EXPECT_FALSE(HostFileExists("C:\\Bad\\Plugins"));
    EXPECT_EQ(QuarantinedContent("Plugins/plugin.txt"), "plug-in");
    EXPECT_FALSE(fs::exists(program.path() / "Bad"));
}

TEST_F(QuarantineTest, AFolderLandsAsOneSubFolderWithoutALogEntryAndKeepsAnEarlierOne) {
    WriteFileOnC("X/Bad/a.txt", "a");
    WriteFileOnC("X/Bad/sub/b.txt", "b");
    WriteFileOnC("Y/Bad/c.txt", "c");
    EXPECT_TRUE(OnChecked(QuarantinePath, "C:\\X\\Bad\\"));
    EXPECT_TRUE(OnChecked(QuarantinePath, "C:\\Y\\Bad"));

    EXPECT_FALSE(HostFileExists("C:\\X\\Bad"));
    EXPECT_FALSE(HostFileExists("C:\\Y\\Bad"));
    EXPECT_EQ(QuarantinedContent("Bad/a.txt"), "a");
    EXPECT_EQ(QuarantinedContent("Bad/sub/b.txt"), "b");
    EXPECT_EQ(QuarantinedContent("Bad.1/c.txt"), "c");
    EXPECT_FALSE(fs::exists(QuarantineHostFolder() / "Bad/c.txt"));
    EXPECT_EQ(QuarantineLogText(), "");
}

TEST_F(QuarantineTest, RegistryDeletionsAreLoggedInTheirTwoForms) {
    SetRegistryValue(HKEY_CURRENT_USER, "Software\\Bad\\Sub", "x", "1");
    SetRegistryValue(HKEY_CURRENT_USER, "Software\\Bad", "", "default");
    SetRegistryValue(HKEY_LOCAL_MACHINE, "Software\\Run", "BadValue", "bad.exe");
    SetRegistryValue(HKEY_LOCAL_MACHINE, "Software\\Run", "Keep", "good.exe");

    EXPECT_TRUE(StoredAlone(HKEY_CURRENT_USER, "Software\\Bad", ""));
    EXPECT_TRUE(StoredAlone(HKEY_CURRENT_USER, "Software\\Bad", std::nullopt));
    EXPECT_TRUE(StoredAlone(HKEY_LOCAL_MACHINE, "Software\\Run", "BadValue"));
    EXPECT_TRUE(StoredAlone(HKEY_LOCAL_MACHINE, "Software\\Run", "NeverThere"));
    EXPECT_FALSE(StoredAlone(HKEY_CURRENT_USER, "Software\\Bad", std::nullopt));

    EXPECT_FALSE(RegistryKeyThere(HKEY_CURRENT_USER, "Software\\Bad"));
    EXPECT_FALSE(RegistryValueThere(HKEY_LOCAL_MACHINE, "Software\\Run", "BadValue"));
    EXPECT_TRUE(RegistryValueThere(HKEY_LOCAL_MACHINE, "Software\\Run", "Keep"));
    EXPECT_EQ(QuarantineLogText(),
              RegistryEntry("HKEY_CURRENT_USER\\Software\\Bad", "") +
                  RegistryEntry("-2147483647\\Software\\Bad", "All Values") +
                  RegistryEntry("HKEY_LOCAL_MACHINE\\Software\\Run", "BadValue") +
                  RegistryEntry("HKEY_LOCAL_MACHINE\\Software\\Run", "NeverThere"));
}

TEST_F(QuarantineTest, ARegistryDeletionTheRegistryRefusesIsNeitherDoneNorLogged) {
    SetRegistryValue(HKEY_CURRENT_USER, "Software\\Bad", "v", "1");
    SetRegistryValue(HKEY_LOCAL_MACHINE, "Software\\Run", "BadValue", "bad.exe");
    {
        auto server = hives.RunWineServer();
        const test_support::FakeWine wine(test_support::FakeWine::Behaviour::Fails);
        EXPECT_FALSE(StoredAlone(HKEY_CURRENT_USER, "Software\\Bad", "v"));
        EXPECT_FALSE(StoredAlone(HKEY_CURRENT_USER, "Software\\Bad", std::nullopt));
    }
    hives.SetMachineHiveReadOnly(true);
    EXPECT_FALSE(StoredAlone(HKEY_LOCAL_MACHINE, "Software\\Run", "BadValue"));
    EXPECT_FALSE(StoredAlone(HKEY_LOCAL_MACHINE, "Software\\Run", std::nullopt));
    hives.SetMachineHiveReadOnly(false);

    EXPECT_TRUE(RegistryValueThere(HKEY_CURRENT_USER, "Software\\Bad", "v"));
    EXPECT_TRUE(RegistryValueThere(HKEY_LOCAL_MACHINE, "Software\\Run", "BadValue"));
    EXPECT_EQ(QuarantineLogText(), "");
}

TEST(QuarantineLogEntries, HoldTheDateTimeEvenAtMidnight) {
    EXPECT_EQ(DateTimeText({2026, 12, 8, 0, 0, 0}), "12/8/2026 12:00:00 AM");
    EXPECT_EQ(DateTimeText({2026, 12, 8, 8, 23, 14}), "12/8/2026 8:23:14 AM");
}

}  // namespace
