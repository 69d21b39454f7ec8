#include "platform/files.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "platform/held_entry.h"
#include "platform/pending_file.h"
#include "support/child_process.h"
#include "support/temporary_prefix.h"

namespace fs = std::filesystem;
using namespace platform;
using test_support::ReadHostFileOrEmpty;

namespace {

class FilesTest : public ::testing::Test {
  protected:
    void MakeReadOnly(const fs::path& path) {
        fs::permissions(path,
                        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
    }

    std::optional<std::string> Find(std::string_view path) {
        return files_.FindFile(path, SearchScope::OrdinaryFiles);
    }
    std::optional<std::string> FindAll(std::string_view path) {
        return files_.FindFile(path, SearchScope::WithHiddenAndSystem);
    }

    test_support::TemporaryPrefix prefix_;
    PathMapper paths_{prefix_.prefix().dosdevices()};
    Files files_{paths_};
};

TEST_F(FilesTest, TheSearchFindsOrdinaryFilesUnderTheirOwnName) {
    const fs::path readOnly = prefix_.WriteFile("windows/Locked.DAT", "x");
    MakeReadOnly(readOnly);
    prefix_.WriteFile("windows/a1.txt", "x");
    EXPECT_EQ(Find("C:\\WINDOWS\\locked.dat"), "Locked.DAT");
    EXPECT_EQ(Find("C:\\windows\\*.TXT"), "a1.txt");         // callers then see the name differ
    EXPECT_EQ(Find("C:\\windows\\system32"), std::nullopt);  // a folder is no file
    EXPECT_EQ(Find("C:\\windows\\missing.txt"), std::nullopt);
    EXPECT_EQ(Find("C:\\windows\\"), std::nullopt);
}

TEST_F(FilesTest, HiddenAndSystemFilesNeedTheWiderSearch) {
    prefix_.WriteFile("windows/.dotted", "x");
    WriteDosAttributeBits(prefix_.WriteFile("windows/marked.dat", "x"), FILE_ATTRIBUTE_HIDDEN);
    WriteDosAttributeBits(prefix_.WriteFile("windows/core.sys", "x"),
                          FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
    // Wine's attribute, once there, decides: a dot name marked plain is not hidden.
    WriteDosAttributeBits(prefix_.WriteFile("windows/.shown", "x"), FILE_ATTRIBUTE_ARCHIVE);
    for (const char* name : {".dotted", "marked.dat", "core.sys"}) {
        const std::string path = std::string("C:\\windows\\") + name;
        EXPECT_EQ(Find(path), std::nullopt) << name;
        EXPECT_EQ(FindAll(path), name) << name;
    }
    EXPECT_EQ(Find("C:\\windows\\.shown"), ".shown");
    EXPECT_EQ(FindAll("C:\\windows\\system32"), std::nullopt);
}

TEST_F(FilesTest, ReadsLinesEndedEitherWayAndALastLineWithoutEnd) {
    prefix_.WriteFile("lines.txt", "one\r\ntwo\nthree\r\n\r\ncaf\xE9");
    std::vector<std::string> lines;
    ASSERT_EQ(files_.ReadTextLines("C:\\lines.txt", &lines), ERROR_SUCCESS);
    EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "three", "", "café"}));

    prefix_.WriteFile("empty.txt", "");
    ASSERT_EQ(files_.ReadTextLines("C:\\empty.txt", &lines), ERROR_SUCCESS);
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(files_.ReadTextLines("C:\\missing.txt", &lines), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(files_.ReadTextLines("C:\\nowhere\\missing.txt", &lines), ERROR_PATH_NOT_FOUND);
}

TEST_F(FilesTest, AppendingCreatesTheFileAndWritesCrLfInTheCodePage) {
    ASSERT_EQ(files_.AppendLine("C:\\log.txt", "café"), ERROR_SUCCESS);
    ASSERT_EQ(files_.AppendLine("C:\\LOG.TXT", ""), ERROR_SUCCESS);
    EXPECT_EQ(ReadHostFileOrEmpty(prefix_.DriveC("log.txt")), "caf\xE9\r\n\r\n");
    EXPECT_EQ(files_.AppendLine("C:\\nowhere\\log.txt", "x"), ERROR_PATH_NOT_FOUND);

    MakeReadOnly(prefix_.DriveC("log.txt"));
    EXPECT_EQ(files_.AppendLine("C:\\log.txt", "more"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(ReadHostFileOrEmpty(prefix_.DriveC("log.txt")), "caf\xE9\r\n\r\n");
}

TEST_F(FilesTest, DeleteRefusesReadOnlyFilesAndFolders) {
    const fs::path readOnly = prefix_.WriteFile("keep.txt", "x");
    MakeReadOnly(readOnly);
    EXPECT_EQ(files_.Delete("C:\\keep.txt"), ERROR_ACCESS_DENIED);
    EXPECT_TRUE(fs::exists(readOnly));
    EXPECT_EQ(files_.Delete("C:\\windows"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(files_.Delete("C:\\missing.txt"), ERROR_FILE_NOT_FOUND);

    prefix_.WriteFile("gone.txt", "x");
    EXPECT_EQ(files_.Delete("C:\\GONE.TXT"), ERROR_SUCCESS);
    EXPECT_FALSE(fs::exists(prefix_.DriveC("gone.txt")));
}

TEST_F(FilesTest, DeleteRefusesAFileAnotherProcessLocks) {
    const fs::path file = prefix_.WriteFile("locked.log", "x");
    auto holder = test_support::ChildProcess::Fork([&] {
        const int descriptor = ::open(file.c_str(), O_RDONLY);
        ::flock(descriptor, LOCK_EX);
    });
    EXPECT_EQ(files_.Delete("C:\\locked.log"), ERROR_SHARING_VIOLATION);
    holder.Stop();
    EXPECT_EQ(files_.Delete("C:\\locked.log"), ERROR_SUCCESS);
}

TEST_F(FilesTest, DeleteRefusesARunningProgram) {
    const fs::path program = prefix_.DriveC("Program Files/Bad/badtool.exe");
    fs::create_directories(program.parent_path());
    fs::copy_file("/bin/sleep", program);
    auto running = test_support::ChildProcess::Run(program, {"30"});
    const fs::path exeLink = "/proc/" + std::to_string(running.id()) + "/exe";
    for (int wait = 0; wait < 500 && fs::read_symlink(exeLink) != program; ++wait) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(files_.Delete("C:\\Program Files\\Bad\\badtool.exe"), ERROR_SHARING_VIOLATION);
    running.Stop();
    EXPECT_EQ(files_.Delete("C:\\Program Files\\Bad\\badtool.exe"), ERROR_SUCCESS);
}

TEST_F(FilesTest, RenameRefusesAnExistingTarget) {
    prefix_.WriteFile("old.txt", "old");
    prefix_.WriteFile("taken.txt", "taken");
    EXPECT_EQ(files_.Rename("C:\\old.txt", "C:\\TAKEN.txt"), ERROR_ALREADY_EXISTS);
    EXPECT_EQ(ReadHostFileOrEmpty(prefix_.DriveC("old.txt")), "old");
    EXPECT_EQ(ReadHostFileOrEmpty(prefix_.DriveC("taken.txt")), "taken");

    EXPECT_EQ(files_.Rename("C:\\old.txt", "C:\\new.txt"), ERROR_SUCCESS);
    EXPECT_EQ(ReadHostFileOrEmpty(prefix_.DriveC("new.txt")), "old");
    EXPECT_EQ(files_.Rename("C:\\new.txt", "C:\\NEW.TXT"), ERROR_SUCCESS);  // only the case
    EXPECT_EQ(Find("C:\\new.txt"), "NEW.TXT");
    EXPECT_EQ(files_.Rename("C:\\missing.txt", "C:\\x.txt"), ERROR_FILE_NOT_FOUND);
}

TEST_F(FilesTest, CopyOverwritesButNotReadOnlyHiddenOrItself) {
    const fs::path source = prefix_.WriteFile("source.txt", "new");
    const fs::path plain = prefix_.WriteFile("plain.txt", "old");
    EXPECT_EQ(files_.Copy("C:\\source.txt", "C:\\plain.txt"), ERROR_SUCCESS);
    EXPECT_EQ(ReadHostFileOrEmpty(plain), "new");

    const fs::path readOnly = prefix_.WriteFile("readonly.txt", "keep");
    MakeReadOnly(readOnly);
    const fs::path hidden = prefix_.WriteFile("hidden.txt", "keep");
    WriteDosAttributeBits(hidden, FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(files_.Copy("C:\\source.txt", "C:\\readonly.txt"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(files_.Copy("C:\\source.txt", "C:\\hidden.txt"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(files_.Copy("C:\\source.txt", "C:\\SOURCE.TXT"), ERROR_SHARING_VIOLATION);
    EXPECT_EQ(ReadHostFileOrEmpty(readOnly), "keep");
    EXPECT_EQ(ReadHostFileOrEmpty(hidden), "keep");
    EXPECT_EQ(ReadHostFileOrEmpty(source), "new");
    EXPECT_EQ(files_.Copy("C:\\missing.txt", "C:\\x.txt"), ERROR_FILE_NOT_FOUND);
}

TEST_F(FilesTest, ACopyKeepsTheAttributesOfItsSource) {
    const fs::path source = prefix_.WriteFile("spy.dll", "code");
    WriteDosAttributeBits(source, FILE_ATTRIBUTE_SYSTEM);
    MakeReadOnly(source);
    ASSERT_EQ(files_.Copy("C:\\spy.dll", "C:\\windows\\spy.dll"), ERROR_SUCCESS);
    const auto attributes = files_.Attributes("C:\\windows\\spy.dll");
    ASSERT_TRUE(attributes);
    EXPECT_TRUE(attributes->readOnly);
    EXPECT_TRUE(attributes->system);
}

TEST_F(FilesTest, ReplacingContentKeepsModeAndAttributesAndLeavesNoTemporaryFile) {
    const fs::path file = prefix_.WriteFile("defs/FileDefinition.dat", "old\r\n");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    WriteDosAttributeBits(file, FILE_ATTRIBUTE_ARCHIVE);
    ASSERT_EQ(files_.ReplaceTextLines("C:\\defs\\FileDefinition.dat", {"a", "é"}), ERROR_SUCCESS);
    EXPECT_EQ(ReadHostFileOrEmpty(file), "a\r\n\xE9\r\n");
    EXPECT_EQ(fs::status(file).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(ReadDosAttributeBits(file), FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), fs::directory_iterator()),
              1);

    MakeReadOnly(file);
    EXPECT_EQ(files_.ReplaceBytes("C:\\defs\\FileDefinition.dat", "x"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(files_.ReplaceBytes("C:\\nowhere\\x.dat", "x"), ERROR_PATH_NOT_FOUND);
}

TEST_F(FilesTest, ReplacingFromPiecesWritesThemInOrder) {
    const fs::path file = prefix_.WriteFile("defs/Pieces.dat", "old");
    const std::string large(300 * 1024, 'L');  // larger than what is gathered before a write
    std::vector<std::string_view> pieces;
    std::string expected;
    for (int round = 0; round < 3; ++round) {
        for (const std::string_view piece : {std::string_view("ab"), std::string_view(),
                                             std::string_view(large), std::string_view("\r\n")}) {
            pieces.push_back(piece);
            expected += piece;
        }
    }
    ASSERT_EQ(files_.ReplacePieces("C:\\defs\\Pieces.dat", pieces), ERROR_SUCCESS);
    EXPECT_EQ(ReadHostFileOrEmpty(file), expected);
    std::string read;
    ASSERT_EQ(files_.ReadBytes("C:\\defs\\Pieces.dat", &read), ERROR_SUCCESS);
    EXPECT_EQ(read, expected);
}

TEST_F(FilesTest, ReportsSizesAndReadsBytesUnchanged) {
    const std::string bytes("\0\x81\xFF\r\n", 5);
    prefix_.WriteFile("blob.bin", bytes);
    std::uint64_t size = 0;
    EXPECT_EQ(files_.Size("C:\\blob.bin", &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 5u);
    std::string read;
    EXPECT_EQ(files_.ReadBytes("C:\\BLOB.BIN", &read), ERROR_SUCCESS);
    EXPECT_EQ(read, bytes);
    EXPECT_EQ(files_.Size("C:\\windows", &size), ERROR_ACCESS_DENIED);
}

// A read never opens what is no file, never blocks and never goes past its limit.
TEST_F(FilesTest, ReadsRefuseWhatIsNoFileOrTooLargeWithoutOpeningIt) {
    ASSERT_EQ(::mkfifo(prefix_.DriveC("fifo").c_str(), 0644), 0);
    fs::create_symlink("/dev/zero", prefix_.DriveC("zero"));
    prefix_.WriteFile("large.txt", std::string(4096, 'x'));
    const struct {
        std::string path;
        std::size_t limit;
        long expected;
    } reads[] = {
        {"C:\\fifo", kNoReadLimit, ERROR_BAD_FILE_TYPE},
        {"C:\\zero", kNoReadLimit, ERROR_BAD_FILE_TYPE},
        {"C:\\windows", kNoReadLimit, ERROR_ACCESS_DENIED},
        {"C:\\large.txt", 4095, ERROR_FILE_TOO_LARGE},
        {"C:\\large.txt", 4096, ERROR_SUCCESS},
    };
    for (const auto& read : reads) {
        std::string bytes = "left over";
        EXPECT_EQ(files_.ReadBytes(read.path, &bytes, read.limit), read.expected) << read.path;
        EXPECT_EQ(bytes.size(), read.expected == ERROR_SUCCESS ? 4096u : 0u) << read.path;
    }
}

TEST(PendingFile, AnUncommittedWriteLeavesTheOldFileAlone) {
    test_support::TemporaryFolder folder;
    const fs::path target = folder.WriteFile("hive.reg", "old");
    {
        PendingFile pending(target);
        EXPECT_EQ(pending.Write("half of the new"), ERROR_SUCCESS);
    }
    EXPECT_EQ(ReadHostFileOrEmpty(target), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

TEST(Wildcards, MatchWithoutCase) {
    EXPECT_TRUE(MatchesWildcard("Report.TXT", "*.txt"));
    EXPECT_TRUE(MatchesWildcard("abc", "a?c"));
    EXPECT_TRUE(MatchesWildcard("a.b.c", "*.*"));
    EXPECT_FALSE(MatchesWildcard("abc", "a?"));
    EXPECT_FALSE(MatchesWildcard("report.txt", "*.exe"));
}

}  // namespace
