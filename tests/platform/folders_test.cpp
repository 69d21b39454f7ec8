#include "platform/folders.h"

#include <gtest/gtest.h>

#include "platform/held_entry.h"
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

TEST_F(FoldersTest, DeletingAHeldFolderTakesReadOnlyItemsButNeverFollowsLinks) {
    const fs::path outside = prefix_.WriteFile("precious/keep.txt", "keep");
    MakeReadOnly(prefix_.WriteFile("Bad/readonly.txt", "x"));
    prefix_.WriteFile("Bad/sub/a.txt", "x");
    MakeReadOnly(prefix_.DriveC("Bad/sub"));
    fs::create_directory_symlink(outside.parent_path(), prefix_.DriveC("Bad/link"));
    const fs::path bad = fs::canonical(prefix_.DriveC("Bad"));

    EXPECT_EQ(DeleteHeldFolder(*HeldEntry::Open(bad), FilesInUse()), ERROR_SUCCESS);
    EXPECT_FALSE(fs::exists(bad));
    EXPECT_EQ(ReadHostFileOrEmpty(outside), "keep");
    EXPECT_EQ(DeleteHeldFolder(*HeldEntry::Open(bad), FilesInUse()), ERROR_PATH_NOT_FOUND);
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
