// Quarantine copies, deletions and the quarantine log, on real files of a temporary prefix.
#include "engine/quarantine.h"

#include <gtest/gtest.h>

#include "engine/globals.h"
#include "engine/quarantine_log.h"
#include "engine/registry_removal.h"
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
    static std::string RegistryEntry(const std::string& key, const std::string& value) {
        return "3/16/2006 10:00:00 AM - Key: " + key + "\r\nValue: " + value + "\r\n\r\n\r\n";
    }
};

TEST_F(QuarantineTest, ARemovedFileIsCopiedDeletedAndLoggedOnceWhileLoggingIsOn) {
    const std::string bad = WriteFileOnC("Program Files/Bad/bad.exe", "bad program");
    EXPECT_EQ(StopAndQuarantineFile(bad), kFileRemoved);
    EXPECT_FALSE(HostFileExists(bad));
    EXPECT_EQ(QuarantinedContent("bad.exe"), "bad program");
    EXPECT_EQ(QuarantineLogText(), FileEntry("bad.exe", "C:\\Program Files\\Bad\\bad.exe"));

    gLogRemovals = false;
    const std::string quiet = WriteFileOnC("Temp/quiet.txt", "q");
    EXPECT_TRUE(QuarantinePath(quiet));
    EXPECT_FALSE(HostFileExists(quiet));
    EXPECT_EQ(QuarantinedContent("quiet.txt"), "q");
    EXPECT_EQ(QuarantineLogText(), FileEntry("bad.exe", "C:\\Program Files\\Bad\\bad.exe"));
}

TEST_F(QuarantineTest, WhatIsNotThereIsNeitherCopiedNorLogged) {
    EXPECT_EQ(StopAndQuarantineFile("C:\\Program Files\\Bad\\gone.exe"), kFileNotPresent);
    EXPECT_EQ(StopAndQuarantineFile("gone.exe"), kFileNotRemoved);
    EXPECT_EQ(QuarantineAndDeleteModule("C:\\gone.dll", 0), kFileNotPresent);
    EXPECT_EQ(QuarantineAndDeleteModule("gone.dll", 0), kFileNotRemoved);
    EXPECT_FALSE(QuarantinePath("C:\\Nowhere\\"));
    EXPECT_FALSE(QuarantinePath("nowhere"));
    EXPECT_FALSE(QuarantineFile("C:\\gone.txt", "gone.txt"));
    QuarantineAndKillFile("C:\\gone.txt");
    EXPECT_TRUE(fs::is_empty(QuarantineHostFolder()));
}

TEST_F(QuarantineTest, DifferentFilesOfOneNameAreAllKeptUnderNamesOfTheirOwn) {
    const std::string first = WriteFileOnC("One/a.dll", "first library");
    const std::string second = WriteFileOnC("Two/a.dll", "second library");
    const std::string cookie = WriteFileOnC("Cookies/a.dll", "a cookie of that name");
    EXPECT_EQ(QuarantineAndDeleteModule(first, 0), kFileRemoved);
    EXPECT_EQ(QuarantineAndDeleteModule(second, 0), kFileRemoved);
    QuarantineAndKillFile(cookie);

    EXPECT_EQ(QuarantinedContent("a.dll"), "first library");
    EXPECT_EQ(QuarantinedContent("a.dll.1"), "second library");
    EXPECT_EQ(QuarantinedContent("a.dll.2"), "a cookie of that name");
    EXPECT_EQ(QuarantineLogText(), FileEntry("a.dll", first) + FileEntry("a.dll.1", second) +
                                       FileEntry("a.dll.2", cookie));
    EXPECT_FALSE(HostFileExists(first));
    EXPECT_FALSE(HostFileExists(second));
    EXPECT_FALSE(HostFileExists(cookie));
}

TEST_F(QuarantineTest, AFileWhoseContentIsInQuarantineAlreadyIsNotCopiedAgain) {
    const std::string original = WriteFileOnC("One/a.dll", "same bytes");
    const std::string twin = WriteFileOnC("Two/A.DLL", "same bytes");
    EXPECT_TRUE(SecureQuarantineCopy(original)->madeNow);
    EXPECT_EQ(SecureQuarantineCopy(original)->name, "a.dll");
    EXPECT_FALSE(SecureQuarantineCopy(original)->madeNow);
    EXPECT_EQ(SecureQuarantineCopy(twin)->name, "a.dll");
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(QuarantineHostFolder())) {
        names.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(names, std::vector<std::string>{"a.dll"});
}

TEST_F(QuarantineTest, ALockedFileIsCopiedAndLoggedOnceAcrossItsDeletionPasses) {
    const std::string locked = WriteFileOnC("Bad/locked.exe", "x");
    fs::permissions(HostPathOf(locked), fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_TRUE(QuarantineFile(locked, "locked.exe"));
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

    EXPECT_EQ(StopAndQuarantineFile(program), kFileNotRemoved);
    EXPECT_EQ(QuarantineAndDeleteModule(library, 0), kFileNotRemoved);
    EXPECT_TRUE(QuarantinePath(other));
    EXPECT_TRUE(QuarantinePath("C:\\Bad\\Folder\\"));
    QuarantineAndKillFile(cookie);

    for (const std::string& path : {program, library, other, cookie}) {
        EXPECT_TRUE(HostFileExists(path)) << path;
    }
    EXPECT_TRUE(HostFileExists("C:\\Bad\\Folder\\inside.txt"));
    EXPECT_TRUE(fs::is_empty(QuarantineHostFolder()));

    // No quarantine folder at all: the same.
    test_support::RemoveTree(QuarantineHostFolder());
    EXPECT_EQ(StopAndQuarantineFile(program), kFileNotRemoved);
    EXPECT_TRUE(HostFileExists(program));
}

// The copy takes the name of the entry removed: a path's text after its last "\" ("a/../../b")
// never leads it out of the quarantine.
TEST_F(QuarantineTest, ACopyLandsInTheQuarantineUnderTheEntrysOwnName) {
    WriteFileOnC("Bad/Plugins/plugin.txt", "plug-in");
    EXPECT_TRUE(QuarantinePath("C:\\Bad\\Plugins/../../Bad/Plugins\\"));
    EXPECT_FALSE(HostFileExists("C:\\Bad\\Plugins"));
    EXPECT_EQ(QuarantinedContent("Plugins/plugin.txt"), "plug-in");
    EXPECT_FALSE(fs::exists(program.path() / "Bad"));
}

TEST_F(QuarantineTest, AFolderLandsAsOneSubFolderWithoutALogEntryAndKeepsAnEarlierOne) {
    WriteFileOnC("X/Bad/a.txt", "a");
    WriteFileOnC("X/Bad/sub/b.txt", "b");
    WriteFileOnC("Y/Bad/c.txt", "c");
    EXPECT_TRUE(QuarantinePath("C:\\X\\Bad\\"));
    EXPECT_TRUE(QuarantinePath("C:\\Y\\Bad"));

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

    EXPECT_TRUE(RegDeleteLoggedValue(HKEY_CURRENT_USER, "Software\\Bad", ""));
    EXPECT_TRUE(RegDeleteKeyTree(HKEY_CURRENT_USER, "Software\\Bad"));
    EXPECT_TRUE(RegDeleteLoggedValue(HKEY_LOCAL_MACHINE, "Software\\Run", "BadValue"));
    EXPECT_TRUE(RegDeleteLoggedValue(HKEY_LOCAL_MACHINE, "Software\\Run", "NeverThere"));
    EXPECT_FALSE(RegDeleteKeyTree(HKEY_CURRENT_USER, "Software\\Bad"));

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
        EXPECT_FALSE(RegDeleteLoggedValue(HKEY_CURRENT_USER, "Software\\Bad", "v"));
        EXPECT_FALSE(RegDeleteKeyTree(HKEY_CURRENT_USER, "Software\\Bad"));
    }
    hives.SetMachineHiveReadOnly(true);
    EXPECT_FALSE(RegDeleteLoggedValue(HKEY_LOCAL_MACHINE, "Software\\Run", "BadValue"));
    EXPECT_FALSE(RegDeleteKeyTree(HKEY_LOCAL_MACHINE, "Software\\Run"));
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
