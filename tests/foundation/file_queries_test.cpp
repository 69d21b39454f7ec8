#include "foundation/file_queries.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "platform/file_attributes.h"
#include "platform/folder_listings.h"
#include "platform/text_case.h"
#include "support/temporary_prefix.h"

namespace fs = std::filesystem;
using test_support::TemporaryMachine;
using test_support::TemporaryPrefix;

namespace {

class FileQueriesTest : public ::testing::Test {
  protected:
    fs::path Write(const fs::path& belowDriveC, std::string_view bytes = "x") {
        return temporary_.prefix().WriteFile(belowDriveC, bytes);
    }

    TemporaryMachine temporary_;
};

TEST_F(FileQueriesTest, FileExistsFindsOrdinaryFilesOnly) {
    fs::permissions(Write("data/ReadOnly.txt"), fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_TRUE(FileExists("C:\\data\\readonly.TXT"));

    ASSERT_TRUE(
        platform::WriteDosAttributeBits(Write("data/hidden.txt"), platform::FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(
        platform::WriteDosAttributeBits(Write("data/system.dll"), platform::FILE_ATTRIBUTE_SYSTEM));
    Write("data/.dotted");
    fs::create_directories(temporary_.prefix().DriveC("data/folder"));
    EXPECT_FALSE(FileExists("C:\\data\\hidden.txt"));
    EXPECT_FALSE(FileExists("C:\\data\\system.dll"));
    EXPECT_FALSE(FileExists("C:\\data\\.dotted"));
    EXPECT_FALSE(FileExists("C:\\data\\folder"));
    EXPECT_FALSE(FileExists("C:\\data\\*.txt"));
    EXPECT_FALSE(FileExists("C:\\data\\missing.txt"));
    EXPECT_FALSE(FileExists(""));

    EXPECT_TRUE(FolderExists("C:\\DATA\\Folder"));
    EXPECT_FALSE(FolderExists("C:\\data\\readonly.txt"));
}

// What FileExists and FolderExists answer for each path, one letter per question ("F" a file,
// "D" a folder, "-" neither).
std::string Answers(const std::vector<std::string>& paths) {
    std::string answers;
    for (const std::string& path : paths) {
        answers += FileExists(path) ? 'F' : FolderExists(path) ? 'D' : '-';
    }
    return answers;
}

// A scan lists each folder once and answers from the listings: every question about a prefix full
// of traps gets the answer the disk itself gives, also when asked again from the listings.
TEST_F(FileQueriesTest, ListedFoldersAnswerAsTheDiskDoes) {
    const TemporaryPrefix& prefix = temporary_.prefix();
    Write("Tools/Spy.exe");  // letter case: two spellings side by side, and folders alike
    Write("Tools/spy.exe");
    Write("tools/Other.exe");
    Write("TOOLS/Sub Folder/Deep.dll");
    ASSERT_TRUE(platform::WriteDosAttributeBits(Write("Tools/Hidden.exe"),
                                                platform::FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(platform::WriteDosAttributeBits(Write("Tools/System.sys"),
                                                platform::FILE_ATTRIBUTE_SYSTEM));
    Write("Tools/.dotted");
    fs::permissions(Write("Tools/ReadOnly.txt"), fs::perms::owner_write, fs::perm_options::remove);
    fs::create_directory_symlink(prefix.DriveC("Tools"), prefix.DriveC("Linked Tools"));
    fs::create_symlink(prefix.DriveC("Tools/Spy.exe"), prefix.DriveC("Tools/Link.exe"));
    fs::create_symlink(prefix.DriveC("nowhere"), prefix.DriveC("Tools/Dangling.exe"));
    const fs::path elsewhere = prefix.root() / "elsewhere";
    fs::create_directories(elsewhere / "Games");
    std::ofstream(elsewhere / "Games" / "Game.exe") << "x";
    prefix.LinkDrive('d', elsewhere);
    prefix.LinkDrive('e', prefix.root() / "no disc");

    std::vector<std::string> paths = {
        "C:\\",
        "D:\\",
        "E:\\",
        "E:\\x.exe",
        "Q:\\x.exe",
        "C:\\Tools\\Spy.exe\\x",
        "C:\\Tools\\Missing\\Spy.exe",
        "C:\\Missing\\Tools",
        "c:/tools//Sub Folder/../Spy.exe",
        "C:\\Tools\\*.exe",
        "\\\\server\\share\\Spy.exe",
        "Spy.exe",
        "",
        "Z:" + (elsewhere / "Games/GAME.EXE").string(),
        "d:\\games\\game.exe\\",
    };
    for (auto it = fs::recursive_directory_iterator(prefix.DriveC());
         it != fs::recursive_directory_iterator(); ++it) {
        std::string below = "C:\\" + it->path().lexically_relative(prefix.DriveC()).string();
        std::replace(below.begin(), below.end(), '/', '\\');
        for (const std::string& path : {below, platform::ToUpperText(below),
                                        platform::ToLowerText(below), below + "\\missing"}) {
            paths.push_back(path);
        }
    }

    const std::string fromDisk = Answers(paths);
    EXPECT_GE(std::count(fromDisk.begin(), fromDisk.end(), 'F'), 8) << fromDisk;
    EXPECT_GE(std::count(fromDisk.begin(), fromDisk.end(), 'D'), 20) << fromDisk;
    const platform::ScopedFolderListings listings(temporary_.machine().paths());
    for (int pass = 0; pass < 2; ++pass) {
        const std::string fromListings = Answers(paths);
        for (std::size_t i = 0; i < paths.size(); ++i) {
            EXPECT_EQ(fromListings[i], fromDisk[i]) << paths[i] << " (pass " << pass << ")";
        }
    }
}

TEST_F(FileQueriesTest, SizesAreZeroWhenUnreadableOrBeyond31Bits) {
    Write("data/five.bin", "12345");
    EXPECT_EQ(GetFileSizeBytes("C:\\data\\five.bin"), 5);
    EXPECT_EQ(GetFileSizeBytes("C:\\data\\missing.bin"), 0);
    EXPECT_EQ(GetFileSizeBytes("C:\\data"), 0);

    const fs::path big = Write("data/big.bin", "");
    fs::resize_file(big, 0x80000000u);  // sparse: takes no room
    EXPECT_EQ(GetFileSizeBytes("C:\\data\\big.bin"), 0);
    fs::resize_file(big, 0x7FFFFFFFu);
    EXPECT_EQ(GetFileSizeBytes("C:\\data\\big.bin"), 0x7FFFFFFF);
}

TEST_F(FileQueriesTest, CompanyNameIsReadFromTheFile) {
    using namespace std::string_literals;
    Write("app/vendor.exe", "MZ..StringFileInfo..CompanyName\0Acme Tools\0\0\0more"s);
    Write("app/plain.exe", "MZ no version information here");
    EXPECT_EQ(GetFileCompanyName("C:\\app\\vendor.exe"), "Acme Tools");
    EXPECT_EQ(GetFileCompanyName("C:\\app\\plain.exe"), "");
    EXPECT_EQ(GetFileCompanyName("C:\\app\\missing.exe"), "");
}

}  // namespace
