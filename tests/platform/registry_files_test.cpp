#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "platform/hive_disk.h"
#include "platform/hive_parse.h"
#include "platform/hive_prefix_registry.h"
#include "platform/pending_file.h"
#include "support/child_process.h"
#include "support/fake_wine.h"
#include "support/temporary_folder.h"

namespace platform {
namespace {

using test_support::ChildProcess;
using test_support::FakeWine;
using test_support::TemporaryFolder;

std::string ReadFile(const std::filesystem::path& path) {
    return test_support::ReadHostFileOrEmpty(path);
}
void WriteFile(const std::filesystem::path& path, std::string_view bytes) {
    test_support::WriteHostFile(path, bytes);
}

const std::string kSystemHive =
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to REGISTRY\\\\Machine\n"
    "\n"
    "#arch=win64\n"
    "\n"
    "[Software\\\\Vendor] 1700000000\n"
    "#time=1da1b2c3d4e5f60\n"
    "\"Path\"=str(2):\"%ProgramFiles%\\\\Vendor\"\n"
    "\"Blob\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,\\\n"
    "  17,18\n"
    "\n"
    "[System\\\\ControlSet001\\\\Hardware Profiles\\\\Current\\\\Software] 1700000001\n"
    "#time=1da1b2c3d4e5f61\n"
    "\"Profile\"=\"current\"\n"
    "\n"
    "[System\\\\CurrentControlSet] 1700000002\n"
    "#time=1da1b2c3d4e5f62\n"
    "#link\n"
    "\"SymbolicLinkValue\"=hex(6):5c,00,52,00,65,00,67,00,69,00,73,00,74,00,72,00,79,00,\\\n"
    "  5c,00,4d,00,61,00,63,00,68,00,69,00,6e,00,65,00,5c,00,53,00,79,00,73,00,74,\\\n"
    "  00,65,00,6d,00,5c,00,43,00,6f,00,6e,00,74,00,72,00,6f,00,6c,00,53,00,65,00,\\\n"
    "  74,00,30,00,30,00,31,00\n";

class RegistryFilesTest : public ::testing::Test {
  protected:
    TemporaryFolder prefix;
    TemporaryFolder serverRoot;

    std::unique_ptr<HiveRegistry> NewRegistry() {
        return MakePrefixRegistry(prefix.path().string(),
                                  std::vector<std::string>{serverRoot.path().string()});
    }

    static long Set(Registry& registry, RegRoot root, std::string_view path, std::string_view name,
                    const RegValue& value) {
        RegHandle key = 0;
        long result = registry.CreateKey(root, path, &key);
        if (result == ERROR_SUCCESS) {
            result = registry.SetValue(key, name, value);
        }
        registry.CloseKey(key);
        return result;
    }

    static long Get(Registry& registry, RegRoot root, std::string_view path, std::string_view name,
                    RegValue* value) {
        RegHandle key = 0;
        long result = registry.OpenKey(root, path, KEY_READ, &key);
        if (result == ERROR_SUCCESS) {
            result = registry.QueryValue(key, name, value);
        }
        registry.CloseKey(key);
        return result;
    }

    static std::string Text(Registry& registry, RegRoot root, std::string_view path,
                            std::string_view name) {
        RegValue value;
        return Get(registry, root, path, name, &value) == ERROR_SUCCESS ? value.text : "<none>";
    }
};

TEST_F(RegistryFilesTest, ValuesMakeTheRoundTripThroughTheHiveFiles) {
    RegValue binary;
    binary.type = REG_BINARY;
    binary.data = {0, 1, 0xfe, 0xff};
    const std::string tricky = "quote \" backslash \\ tab\t line\n caf\u00e9 \u4e2d";
    {
        auto registry = NewRegistry();
        ASSERT_EQ(Set(*registry, HKEY_LOCAL_MACHINE, "Software\\A=B", "dir\\name",
                      RegValue::String(tricky)),
                  ERROR_SUCCESS);
        Set(*registry, HKEY_LOCAL_MACHINE, "Software\\A=B", "", RegValue::String("default"));
        Set(*registry, HKEY_LOCAL_MACHINE, "Software\\A=B", "Number", RegValue::Dword(0xdeadbeef));
        Set(*registry, HKEY_LOCAL_MACHINE, "Software\\A=B", "Binary", binary);
        Set(*registry, HKEY_LOCAL_MACHINE, "Software\\Bad\\Deep", "x", RegValue::String("y"));
        Set(*registry, HKEY_CURRENT_USER, "Software\\Mine", "u", RegValue::String("user"));
    }
    EXPECT_EQ(ReadFile(prefix.path() / "system.reg")
                  .rfind("WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\Machine\n"
                         "\n#arch=win64\n\n[Software\\\\A=B] ",
                         0),
              0u);

    auto reread = NewRegistry();
    EXPECT_EQ(Text(*reread, HKEY_LOCAL_MACHINE, "software\\a=b", "DIR\\NAME"), tricky);
    EXPECT_EQ(Text(*reread, HKEY_LOCAL_MACHINE, "Software\\A=B", ""), "default");
    RegValue value;
    ASSERT_EQ(Get(*reread, HKEY_LOCAL_MACHINE, "Software\\A=B", "Number", &value), ERROR_SUCCESS);
    EXPECT_EQ(value.number, 0xdeadbeefu);
    ASSERT_EQ(Get(*reread, HKEY_LOCAL_MACHINE, "Software\\A=B", "Binary", &value), ERROR_SUCCESS);
    EXPECT_EQ(value.type, REG_BINARY);
    EXPECT_EQ(value.data, binary.data);
    EXPECT_EQ(Text(*reread, HKEY_CURRENT_USER, "Software\\Mine", "u"), "user");
    EXPECT_EQ(Text(*reread, HKEY_USERS, reread->UserSid() + "\\Software\\Mine", "u"), "user");
    EXPECT_TRUE(reread->Diagnostics().empty());

    EXPECT_EQ(reread->DeleteKeyTree(HKEY_LOCAL_MACHINE, "Software\\Bad"), ERROR_SUCCESS);
    RegHandle key = 0;
    EXPECT_EQ(NewRegistry()->OpenKey(HKEY_LOCAL_MACHINE, "Software\\Bad", KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(ReadFile(prefix.path() / "system.reg").find("Bad"), std::string::npos);
}

TEST_F(RegistryFilesTest, AWineHiveKeepsEverythingButTheKeyThatChanged) {
    WriteFile(prefix.path() / "system.reg", kSystemHive);
    auto registry = NewRegistry();
    RegValue value;
    ASSERT_EQ(Get(*registry, HKEY_LOCAL_MACHINE, "Software\\Vendor", "Path", &value),
              ERROR_SUCCESS);
    EXPECT_EQ(value.type, REG_EXPAND_SZ);
    EXPECT_EQ(value.text, "%ProgramFiles%\\Vendor");
    EXPECT_EQ(ReadFile(prefix.path() / "system.reg"), kSystemHive) << "reading never writes";

    ASSERT_EQ(Set(*registry, HKEY_LOCAL_MACHINE, "Software\\Vendor", "Path",
                  RegValue::String("C:\\Vendor")),
              ERROR_SUCCESS);
    const std::string written = ReadFile(prefix.path() / "system.reg");
    const std::size_t unchangedFrom = kSystemHive.find("\n[System");
    EXPECT_EQ(written.substr(written.find("\n[System")), kSystemHive.substr(unchangedFrom));
    EXPECT_EQ(written.substr(0, written.find("[Software")),
              kSystemHive.substr(0, kSystemHive.find("[Software")));
    EXPECT_NE(written.find("\"Path\"=\"C:\\\\Vendor\"\n\"Blob\"=hex:00,01,02,03,04,05,06,07,08,"
                           "09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,\\\n  17,18\n"),
              std::string::npos);
}

TEST_F(RegistryFilesTest, LinksAndTheRootsOverThemFollowWinesLayout) {
    WriteFile(prefix.path() / "system.reg", kSystemHive);
    WriteFile(prefix.path() / "user.reg",
              "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\User\\\\"
              "S-1-5-21-1-2-3-1001\n\n#arch=win64\n\n[Software] 1\n\"v\"=\"mine\"\n");
    auto registry = NewRegistry();

    EXPECT_EQ(Text(*registry, HKEY_CURRENT_CONFIG, "Software", "Profile"), "current");
    EXPECT_EQ(Text(*registry, HKEY_USERS, "S-1-5-21-1-2-3-1001\\Software", "v"), "mine");
    // A key made through the link lands where the link points.
    ASSERT_EQ(Set(*registry, HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Services\\New", "x",
                  RegValue::Dword(1)),
              ERROR_SUCCESS);
    EXPECT_NE(
        ReadFile(prefix.path() / "system.reg").find("[System\\\\ControlSet001\\\\Services\\\\New]"),
        std::string::npos);
    // Deleting the link deletes the link only.
    EXPECT_EQ(registry->DeleteKeyTree(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet"),
              ERROR_SUCCESS);
    EXPECT_EQ(Text(*registry, HKEY_LOCAL_MACHINE,
                   "System\\ControlSet001\\Hardware Profiles\\Current\\Software", "Profile"),
              "current");
}

TEST_F(RegistryFilesTest, AReadOnlyHiveRefusesWriteAccessButReads) {
    WriteFile(prefix.path() / "system.reg", kSystemHive);
    ::chmod((prefix.path() / "system.reg").c_str(), 0444);
    auto registry = NewRegistry();

    RegHandle key = 0;
    EXPECT_EQ(registry->OpenKey(HKEY_LOCAL_MACHINE, "Software\\Vendor", 0x3F, &key),
              ERROR_ACCESS_DENIED);
    ASSERT_EQ(registry->OpenKey(HKEY_LOCAL_MACHINE, "Software\\Vendor", KEY_READ, &key),
              ERROR_SUCCESS);
    registry->CloseKey(key);
    EXPECT_EQ(Set(*registry, HKEY_LOCAL_MACHINE, "Software\\New", "x", RegValue::Dword(1)),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(ReadFile(prefix.path() / "system.reg"), kSystemHive);
    EXPECT_EQ(Set(*registry, HKEY_CURRENT_USER, "Software\\New", "x", RegValue::Dword(1)),
              ERROR_SUCCESS);

    // A folder that may not be written stops the replacement, so it refuses as well.
    ::chmod((prefix.path() / "system.reg").c_str(), 0644);
    ::chmod(prefix.path().string().c_str(), 0555);
    EXPECT_EQ(registry->OpenKey(HKEY_LOCAL_MACHINE, "Software\\Vendor", 0x3F, &key),
              ERROR_ACCESS_DENIED);
    ::chmod(prefix.path().string().c_str(), 0755);
}

TEST_F(RegistryFilesTest, AWriteThatFailsBeforeTheRenameLeavesTheHiveAsItWas) {
    WriteFile(prefix.path() / "system.reg", kSystemHive);
    auto registry = NewRegistry();
    SetBeforeRenameHookForTests([](const std::string&) { return false; });
    const long result = Set(*registry, HKEY_LOCAL_MACHINE, "Software\\Vendor", "Path",
                            RegValue::String("never stored"));
    SetBeforeRenameHookForTests(nullptr);

    EXPECT_EQ(result, ERROR_WRITE_FAULT);
    EXPECT_EQ(ReadFile(prefix.path() / "system.reg"), kSystemHive);
    EXPECT_EQ(Text(*registry, HKEY_LOCAL_MACHINE, "Software\\Vendor", "Path"),
              "%ProgramFiles%\\Vendor");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(prefix.path().string()), {}), 1)
        << "no temporary file is left behind";
}

TEST_F(RegistryFilesTest, AProcessKilledBeforeTheRenameLeavesTheHiveIntact) {
    WriteFile(prefix.path() / "system.reg", kSystemHive);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        SetBeforeRenameHookForTests([](const std::string&) {
            ::raise(SIGKILL);
            return true;
        });
        auto registry = NewRegistry();
        Set(*registry, HKEY_LOCAL_MACHINE, "Software\\Vendor", "Path", RegValue::String("lost"));
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));

    EXPECT_EQ(ReadFile(prefix.path() / "system.reg"), kSystemHive);
    EXPECT_TRUE(
        ParseHive(ReadFile(prefix.path() / "system.reg"), "system.reg").diagnostics.empty());
    auto registry = NewRegistry();
    EXPECT_EQ(Text(*registry, HKEY_LOCAL_MACHINE, "Software\\Vendor", "Path"),
              "%ProgramFiles%\\Vendor");
    EXPECT_EQ(
        Set(*registry, HKEY_LOCAL_MACHINE, "Software\\Vendor", "Path", RegValue::String("stored")),
        ERROR_SUCCESS);
}

TEST_F(RegistryFilesTest, AChangeMadeByAnotherProcessIsSeen) {
    WriteFile(prefix.path() / "system.reg", kSystemHive);
    auto registry = NewRegistry();
    EXPECT_EQ(Text(*registry, HKEY_LOCAL_MACHINE, "Software\\Vendor", "Path"),
              "%ProgramFiles%\\Vendor");
    const pid_t child = ::fork();
    if (child == 0) {
        auto other = NewRegistry();
        ::_exit(Set(*other, HKEY_LOCAL_MACHINE, "Software\\Vendor", "Path",
                    RegValue::String("changed")) == ERROR_SUCCESS
                    ? 0
                    : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(Text(*registry, HKEY_LOCAL_MACHINE, "Software\\Vendor", "Path"), "changed");
}

// A key far deeper than the call stack could follow, as a hostile program may write it: the hive
// is read, read again when another program rewrites the file (as Wine does when it saves),
// written, and the key deleted, without the program ending.
TEST_F(RegistryFilesTest, AUserHiveWithAVeryDeepKeyIsReadAgainWrittenAndDeleted) {
    constexpr int kLevels = 300'000;
    std::string deepPath = "Software\\Deep";
    std::string section = "[Software\\\\Deep";
    for (int level = 0; level < kLevels; ++level) {
        deepPath += "\\k";
        section += "\\\\k";
    }
    const auto hiveText = [&](std::string_view value) {
        return "WINE REGISTRY Version 2\n\n[Software] 1\n\"top\"=\"" + std::string(value) +
               "\"\n\n" + section + "] 1\n\"v\"=\"" + std::string(value) + "\"\n";
    };
    WriteFile(prefix.path() / "user.reg", hiveText("first"));
    auto registry = NewRegistry();
    EXPECT_EQ(Text(*registry, HKEY_CURRENT_USER, deepPath, "v"), "first");

    WriteFile(prefix.path() / "user.reg.new", hiveText("second"));
    std::filesystem::rename(prefix.path() / "user.reg.new", prefix.path() / "user.reg");
    EXPECT_EQ(Text(*registry, HKEY_CURRENT_USER, deepPath, "v"), "second");

    ASSERT_EQ(Set(*registry, HKEY_CURRENT_USER, "Software", "top", RegValue::String("set")),
              ERROR_SUCCESS);
    EXPECT_TRUE(ReadFile(prefix.path() / "user.reg").ends_with(section + "] 1\n\"v\"=\"second\"\n"))
        << "the deep key is kept whole";
    EXPECT_EQ(registry->DeleteKeyTree(HKEY_CURRENT_USER, "Software\\Deep"), ERROR_SUCCESS);
    EXPECT_EQ(Text(*registry, HKEY_CURRENT_USER, deepPath, "v"), "<none>");
    EXPECT_EQ(Text(*NewRegistry(), HKEY_CURRENT_USER, "Software", "top"), "set");
}

// A stand-in for Wine's server: a child process holding the lock of the prefix's server folder.
ChildProcess HoldServerLock(const std::string& folder) {
    std::filesystem::create_directories(folder);
    return ChildProcess::Fork([folder] {
        const int fd = ::open((folder + "/lock").c_str(), O_RDWR | O_CREAT, 0600);
        struct flock lock {};
        lock.l_type = F_WRLCK;
        lock.l_whence = SEEK_SET;
        ::fcntl(fd, F_SETLK, &lock);
    });
}

// While Wine's server holds the registry, changes go to Wine's registry tool, one run for all the
// changes made together, and the registry sees them on top of the file until the server writes
// the file after them (or ends without writing it).
TEST_F(RegistryFilesTest, WhileWinesServerRunsChangesGoThroughWinesToolAndAreSeenAtOnce) {
    namespace fs = std::filesystem;
    WriteFile(prefix.path() / "system.reg", kSystemHive);
    auto registry = NewRegistry();
    ChildProcess server =
        HoldServerLock(WineServerFolder(prefix.path().string(), serverRoot.path().string()));
    const FakeWine wine;

    registry->BeginChanges();
    EXPECT_EQ(Set(*registry, HKEY_LOCAL_MACHINE, "Software\\Vendor", "Path",
                  RegValue::String("C:\\new \"place\"")),
              ERROR_SUCCESS);
    EXPECT_EQ(
        registry->DeleteKeyTree(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Hardware Profiles"),
        ERROR_SUCCESS);
    for (const RegValue& value : {RegValue::Dword(7), RegValue{REG_EXPAND_SZ, "%A%", 0, {}},
                                  RegValue{REG_BINARY, {}, 0, std::vector<std::uint8_t>(26, 0xab)},
                                  RegValue{REG_DWORD, {}, 0, {0x01, 0x02}}}) {
        EXPECT_EQ(Set(*registry, HKEY_CURRENT_USER, "Software\\Mine", "", value), ERROR_SUCCESS);
    }
    EXPECT_EQ(registry->CommitChanges(), ERROR_SUCCESS);
    EXPECT_EQ(wine.Runs().size(), 1u);
    EXPECT_EQ(
        wine.Imported(),
        "Windows Registry Editor Version 5.00\r\n"
        "\r\n[HKEY_LOCAL_MACHINE\\Software\\Vendor]\r\n\"Path\"=\"C:\\\\new \\\"place\\\"\"\r\n"
        "\r\n[-HKEY_LOCAL_MACHINE\\System\\ControlSet001\\Hardware Profiles]\r\n"
        "\r\n[HKEY_CURRENT_USER\\Software\\Mine]\r\n"
        "\r\n[HKEY_CURRENT_USER\\Software\\Mine]\r\n@=dword:00000007\r\n"
        "\r\n[HKEY_CURRENT_USER\\Software\\Mine]\r\n@=hex(2):25,00,41,00,25,00,00,00\r\n"
        "\r\n[HKEY_CURRENT_USER\\Software\\Mine]\r\n@=hex:"
        "ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,"
        "\\\r\n  ab\r\n"
        "\r\n[HKEY_CURRENT_USER\\Software\\Mine]\r\n@=hex(4):01,02\r\n");
    EXPECT_EQ(ReadFile(prefix.path() / "system.reg"), kSystemHive);
    EXPECT_EQ(Text(*registry, HKEY_LOCAL_MACHINE, "Software\\Vendor", "Path"), "C:\\new \"place\"");
    RegHandle key = 0;
    EXPECT_EQ(registry->OpenKey(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Hardware Profiles",
                                KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);

    // The server writes the file after the change: from then on the file tells, with whatever
    // the prefix's programs changed meanwhile. A file written before the change does not yet.
    const auto saved = [&](const std::string& path, fs::file_time_type when) {
        std::string text = kSystemHive;
        text.replace(text.find("%ProgramFiles%\\\\Vendor"), 22, path);
        WriteFile(prefix.path() / "system.reg", text);
        fs::last_write_time(prefix.path() / "system.reg", when);
    };
    saved("changed by a program", fs::file_time_type::clock::now() + std::chrono::seconds(1));
    EXPECT_EQ(Text(*registry, HKEY_LOCAL_MACHINE, "Software\\Vendor", "Path"),
              "changed by a program");
    EXPECT_EQ(Set(*registry, HKEY_LOCAL_MACHINE, "Software\\Vendor", "Path",
                  RegValue::String("mine again")),
              ERROR_SUCCESS);
    saved("an older save", fs::file_time_type::clock::now() - std::chrono::seconds(5));
    EXPECT_EQ(Text(*registry, HKEY_LOCAL_MACHINE, "Software\\Vendor", "Path"), "mine again");
    // A server that ends without writing the file takes the change along.
    server.Stop();
    EXPECT_EQ(Text(*registry, HKEY_LOCAL_MACHINE, "Software\\Vendor", "Path"), "an older save");
    EXPECT_EQ(wine.Runs().size(), 2u);
}

// A change Wine's tool does not make is said and not seen; the file is never written meanwhile.
TEST_F(RegistryFilesTest, AChangeWinesToolDoesNotMakeIsNeitherSeenNorWritten) {
    WriteFile(prefix.path() / "system.reg", kSystemHive);
    auto registry = NewRegistry();
    ChildProcess server =
        HoldServerLock(WineServerFolder(prefix.path().string(), serverRoot.path().string()));
    const struct {
        std::optional<FakeWine::Behaviour> wine;  // none: no "wine" to start
        long expected;
    } cases[] = {{std::nullopt, ERROR_WINE_TOOL_NOT_STARTED},
                 {FakeWine::Behaviour::Fails, ERROR_WINE_TOOL_FAILED},
                 {FakeWine::Behaviour::Hangs, ERROR_WINE_TOOL_TIMED_OUT}};
    for (const auto& [behaviour, expected] : cases) {
        std::optional<FakeWine> wine;
        std::optional<test_support::ScopedEnvironmentVariable> noWine;
        if (behaviour) {
            wine.emplace(*behaviour);
        } else {
            noWine.emplace("WINE", (serverRoot.path() / "no-such-wine").string());
        }
        EXPECT_EQ(Set(*registry, HKEY_LOCAL_MACHINE, "Software\\Vendor", "Path",
                      RegValue::String("lost")),
                  expected);
        EXPECT_EQ(registry->DeleteKeyTree(HKEY_LOCAL_MACHINE, "Software\\Vendor"), expected);
        EXPECT_EQ(Text(*registry, HKEY_LOCAL_MACHINE, "Software\\Vendor", "Path"),
                  "%ProgramFiles%\\Vendor");
        EXPECT_NE(RegistryErrorText(expected).find("Wine"), std::string::npos);
    }
    EXPECT_EQ(ReadFile(prefix.path() / "system.reg"), kSystemHive);
}

// Run as root, Wine puts its server folders under a folder in /tmp that the prefix's file
// "wineserver" names; the registry looks there by itself.
TEST_F(RegistryFilesTest, FindsTheServerWhereThePrefixSaysWinePutIt) {
    WriteFile(prefix.path() / "system.reg", kSystemHive);
    std::string root = "/tmp/wine-XXXXXX";
    ASSERT_NE(::mkdtemp(root.data()), nullptr);
    WriteFile(prefix.path() / "wineserver", root.substr(5));
    {
        ChildProcess server = HoldServerLock(WineServerFolder(prefix.path().string(), root));
        auto registry = MakePrefixRegistry(prefix.path().string());
        const FakeWine wine(FakeWine::Behaviour::Fails);
        EXPECT_EQ(Set(*registry, HKEY_LOCAL_MACHINE, "Software\\Vendor", "Path",
                      RegValue::String("lost")),
                  ERROR_WINE_TOOL_FAILED);
    }
    std::filesystem::remove_all(root);
}

TEST_F(RegistryFilesTest, AHiveThatCannotBeReadIsNeverWrittenOver) {
    std::filesystem::create_directory(prefix.path() / "system.reg");
    WriteFile(prefix.path() / "user.reg", "WINE REGISTRY Version 2\n\n[Software] 1\n\"v\"=bogus\n");
    auto registry = NewRegistry();

    RegHandle key = 0;
    EXPECT_EQ(registry->OpenKey(HKEY_LOCAL_MACHINE, "Software", KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(registry->CreateKey(HKEY_LOCAL_MACHINE, "Software", &key), ERROR_BADDB);
    const auto diagnostics = registry->Diagnostics();
    ASSERT_EQ(diagnostics.size(), 2u);
    EXPECT_EQ(diagnostics[0].file, prefix.path() / "system.reg");
    EXPECT_EQ(diagnostics[1].file, prefix.path() / "user.reg");
    EXPECT_EQ(diagnostics[1].line, 4);
}

}  // namespace
}  // namespace platform
