#include "foundation/file_queries.h"

#include <gtest/gtest.h>

#include "platform/file_attributes.h"
#include "support/temporary_prefix.h"

namespace fs = std::filesystem;
using test_support::TemporaryMachine;

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
