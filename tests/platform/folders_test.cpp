#include "platform/folders.h"

#include <gtest/gtest.h>

#include "platform/file_attributes.h"
#include "support/temporary_prefix.h"

namespace fs = std::filesystem;
using namespace platform;
using test_support::ReadHostFileOrEmpty;

namespace {

class FoldersTest : public ::testing::Test {
  protected:
    void MakeReadOnly(const fs::path& path) {
        fs::permissions(path, fs::perms::owner_write, fs::perm_options::remove);
    }

    test_support::TemporaryPrefix prefix_;
    PathMapper paths_{prefix_.prefix().dosdevices()};
    Folders folders_{paths_};
};

TEST_F(FoldersTest, CreatesOnlyWhatIsNotThere) {
    EXPECT_EQ(folders_.Create("C:\\Quarantine"), ERROR_SUCCESS);
    EXPECT_TRUE(folders_.Exists("C:\\QUARANTINE"));
    EXPECT_EQ(folders_.Create("C:\\quarantine"), ERROR_ALREADY_EXISTS);
    EXPECT_EQ(folders_.Create("C:\\missing\\child"), ERROR_PATH_NOT_FOUND);
    prefix_.WriteFile("file.txt", "x");
    EXPECT_EQ(folders_.Create("C:\\file.txt"), ERROR_ALREADY_EXISTS);
    EXPECT_FALSE(folders_.Exists("C:\\file.txt"));
}

TEST_F(FoldersTest, CopiesATreeIntoAnExistingFolderOverwritingFiles) {
    prefix_.WriteFile("Bad/a.txt", "new a");
    prefix_.WriteFile("Bad/sub/b.txt", "b");
    fs::create_symlink("/etc", prefix_.DriveC("Bad/outside"));
    prefix_.WriteFile("quarantine/Bad/a.txt", "old a");
    prefix_.WriteFile("quarantine/Bad/other.txt", "kept");

    EXPECT_EQ(folders_.Copy("C:\\Bad", "C:\\quarantine\\Bad", false), ERROR_FILE_EXISTS);
    EXPECT_EQ(ReadHostFileOrEmpty(prefix_.DriveC("quarantine/Bad/a.txt")), "old a");

    EXPECT_EQ(folders_.Copy("C:\\Bad", "C:\\quarantine\\Bad", true), ERROR_SUCCESS);
    EXPECT_EQ(ReadHostFileOrEmpty(prefix_.DriveC("quarantine/Bad/a.txt")), "new a");
    EXPECT_EQ(ReadHostFileOrEmpty(prefix_.DriveC("quarantine/Bad/sub/b.txt")), "b");
    EXPECT_EQ(ReadHostFileOrEmpty(prefix_.DriveC("quarantine/Bad/other.txt")), "kept");
    EXPECT_TRUE(fs::is_symlink(prefix_.DriveC("quarantine/Bad/outside")));  // not followed
}

TEST_F(FoldersTest, CopyGoesOnPastAReadOnlyTargetAndReportsIt) {
    prefix_.WriteFile("Bad/a.txt", "a");
    prefix_.WriteFile("Bad/b.txt", "b");
    const fs::path locked = prefix_.WriteFile("copy/a.txt", "locked");
    MakeReadOnly(locked);
    EXPECT_EQ(folders_.Copy("C:\\Bad", "C:\\copy", true), ERROR_ACCESS_DENIED);
    EXPECT_EQ(ReadHostFileOrEmpty(locked), "locked");
    EXPECT_EQ(ReadHostFileOrEmpty(prefix_.DriveC("copy/b.txt")), "b");
}

TEST_F(FoldersTest, RefusesToCopyAFolderIntoItself) {
    prefix_.WriteFile("Bad/a.txt", "a");
    EXPECT_EQ(folders_.Copy("C:\\Bad", "C:\\bad\\inside", true), ERROR_INVALID_PARAMETER);
    EXPECT_FALSE(fs::exists(prefix_.DriveC("Bad/inside")));
    EXPECT_EQ(folders_.Copy("C:\\Missing", "C:\\elsewhere", true), ERROR_PATH_NOT_FOUND);
}

TEST_F(FoldersTest, DeleteWithForceTakesReadOnlyItemsButNeverFollowsLinks) {
    const fs::path outside = prefix_.WriteFile("precious/keep.txt", "keep");
    MakeReadOnly(prefix_.WriteFile("Bad/readonly.txt", "x"));
    prefix_.WriteFile("Bad/sub/a.txt", "x");
    MakeReadOnly(prefix_.DriveC("Bad/sub"));

    EXPECT_EQ(folders_.Delete("C:\\Bad", false), ERROR_ACCESS_DENIED);
    EXPECT_TRUE(fs::exists(prefix_.DriveC("Bad/readonly.txt")));

    fs::create_directory_symlink(outside.parent_path(), prefix_.DriveC("Bad/link"));
    EXPECT_EQ(folders_.Delete("C:\\BAD", true), ERROR_SUCCESS);
    EXPECT_FALSE(fs::exists(prefix_.DriveC("Bad")));
    EXPECT_EQ(ReadHostFileOrEmpty(outside), "keep");
    EXPECT_EQ(folders_.Delete("C:\\Bad", true), ERROR_PATH_NOT_FOUND);
}

TEST_F(FoldersTest, ListsTheFilesOfAFolderByName) {
    prefix_.WriteFile("list/b.txt", "x");
    prefix_.WriteFile("list/A.txt", "x");
    prefix_.WriteFile("list/.hidden", "x");
    prefix_.WriteFile("list/sub/c.txt", "x");
    std::vector<FolderFile> files;
    ASSERT_EQ(folders_.ListFiles("C:\\LIST\\", &files), ERROR_SUCCESS);
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(files[0].name, ".hidden");
    EXPECT_EQ(files[1].name, "A.txt");
    EXPECT_EQ(files[1].path, "C:\\LIST\\A.txt");
    EXPECT_EQ(files[2].name, "b.txt");
    EXPECT_EQ(folders_.ListFiles("C:\\missing", &files), ERROR_PATH_NOT_FOUND);
}

}  // namespace
