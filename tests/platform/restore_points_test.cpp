#include "platform/restore_points.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <functional>

#include "platform/file_errors.h"
#include "platform/hive_registry.h"
#include "support/scoped_environment.h"
#include "support/temporary_folder.h"
#include "support/temporary_prefix.h"

namespace fs = std::filesystem;
using namespace platform;
using test_support::ReadHostFileOrEmpty;

namespace {

class RestorePointsTest : public ::testing::Test {
  protected:
    StateMgrStatus Begin(const std::string& description) {
        StateMgrStatus status;
        EXPECT_TRUE(
            SetRestorePoint(prefix_.prefix(), {BEGIN_SYSTEM_CHANGE, 6, 0, description}, &status));
        return status;
    }

    bool End(std::int64_t number, StateMgrStatus* status) {
        return SetRestorePoint(prefix_.prefix(), {END_SYSTEM_CHANGE, 0, number, ""}, status);
    }

    fs::path Snapshot(std::int64_t number) const {
        return data_.path() / "tollenwark/restore-points" / std::to_string(number);
    }

    test_support::TemporaryFolder data_;
    test_support::ScopedEnvironmentVariable dataHome_{"XDG_DATA_HOME", data_.path().string()};
    test_support::TemporaryPrefix prefix_;
};

TEST_F(RestorePointsTest, BeginSnapshotsTheHivesAsTheyWereUnderTheNextNumber) {
    test_support::WriteHostFile(prefix_.root() / "user.reg", "before the removal");
    const StateMgrStatus first = Begin("Tollenwark Restore Point 3/16/2006 10:00:00 AM");
    EXPECT_EQ(first.status, ERROR_SUCCESS);
    EXPECT_EQ(first.sequenceNumber, 1);
    test_support::WriteHostFile(prefix_.root() / "user.reg", "after the removal");

    EXPECT_EQ(ReadHostFileOrEmpty(Snapshot(1) / "user.reg"), "before the removal");
    EXPECT_EQ(ReadHostFileOrEmpty(Snapshot(1) / "system.reg"),
              ReadHostFileOrEmpty(prefix_.root() / "system.reg"));
    EXPECT_EQ(ReadHostFileOrEmpty(Snapshot(1) / "userdef.reg"),
              ReadHostFileOrEmpty(prefix_.root() / "userdef.reg"));
    const std::string note = ReadHostFileOrEmpty(Snapshot(1) / kRestorePointNoteName);
    EXPECT_EQ(note.rfind("Description: Tollenwark Restore Point 3/16/2006 10:00:00 AM\nType: 6\n"
                         "Prefix: " +
                             prefix_.root().string() + "\nBegan: ",
                         0),
              0u);

    // Numbers go on from the highest one there, also past gaps and foreign entries.
    fs::create_directories(Snapshot(7));
    fs::create_directories(Snapshot(1).parent_path() / "notes");
    EXPECT_EQ(Begin("next").sequenceNumber, 8);
}

TEST_F(RestorePointsTest, EndMarksTheRestorePointItClosesAndNothingElse) {
    const std::int64_t number = Begin("removal").sequenceNumber;
    StateMgrStatus status;
    ASSERT_TRUE(End(number, &status));
    EXPECT_EQ(status.sequenceNumber, number);
    EXPECT_NE(ReadHostFileOrEmpty(Snapshot(number) / kRestorePointNoteName).find("\nEnded: "),
              std::string::npos);

    EXPECT_FALSE(End(number + 1, &status));
    EXPECT_EQ(status.status, ERROR_INVALID_PARAMETER);
    EXPECT_FALSE(End(0, &status));
    EXPECT_FALSE(fs::exists(Snapshot(number + 1)));
    EXPECT_FALSE(SetRestorePoint(prefix_.prefix(), {102, 0, number, ""}, &status));
}

TEST_F(RestorePointsTest, ALongDescriptionIsCutAtWholeCharacters) {
    const std::string description = std::string(62, 'x') + "\xC3\xA9\xC3\xA9";  // 64 characters
    const std::int64_t number = Begin(description).sequenceNumber;
    const std::string note = ReadHostFileOrEmpty(Snapshot(number) / kRestorePointNoteName);
    EXPECT_NE(note.find("Description: " + std::string(62, 'x') + "\xC3\xA9\n"), std::string::npos);
}

TEST_F(RestorePointsTest, AFailedSnapshotLeavesNoRestorePointBehind) {
    fs::create_directories(Snapshot(1).parent_path());
    fs::permissions(Snapshot(1).parent_path(), fs::perms::owner_write, fs::perm_options::remove);
    StateMgrStatus status;
    EXPECT_FALSE(SetRestorePoint(prefix_.prefix(), {BEGIN_SYSTEM_CHANGE, 6, 0, "x"}, &status));
    EXPECT_NE(status.status, ERROR_SUCCESS);
    EXPECT_EQ(status.sequenceNumber, 0);
    fs::permissions(Snapshot(1).parent_path(), fs::perms::owner_write, fs::perm_options::add);
    EXPECT_FALSE(fs::exists(Snapshot(1) / kRestorePointNoteName));
}

// A registry that Wine's server holds: its export writes a file and ends as `exported` says.
class HeldRegistry : public HiveRegistry {
  public:
    explicit HeldRegistry(std::function<long()> exported)
        : HiveRegistry(HiveSet{}), exported_(std::move(exported)) {}
    std::optional<long> ExportWhileHeld(const fs::path& folder,
                                        const std::vector<RegRoot>&) override {
        test_support::WriteHostFile(folder / "HKEY_CURRENT_USER.reg", "exported");
        return exported_();
    }

  private:
    std::function<long()> exported_;
};

// A restore point gets a number only when whole: not when its export fails, nor when the process
// is killed while it makes one (what that leaves goes at the next start). While Wine's server holds
// the registry, the export is what it holds. Only the ten newest stay.
TEST_F(RestorePointsTest, OnlyWholeRestorePointsAreNumberedAndTheTenNewestStay) {
    const fs::path folder = Snapshot(1).parent_path();
    for (const long result : {ERROR_SUCCESS, ERROR_WINE_TOOL_TIMED_OUT}) {
        HeldRegistry registry([result] { return result; });
        StateMgrStatus status;
        SetRestorePoint(prefix_.prefix(), {BEGIN_SYSTEM_CHANGE, 6, 0, "held"}, &status, &registry);
        EXPECT_EQ(status.status, result);
    }
    EXPECT_EQ(ReadHostFileOrEmpty(Snapshot(1) / "HKEY_CURRENT_USER.reg"), "exported");
    EXPECT_FALSE(fs::exists(Snapshot(1) / "user.reg"));
    for (int i = 2; i <= 12; ++i) {
        ASSERT_EQ(Begin("removal " + std::to_string(i)).sequenceNumber, i);
    }
    if (::fork() == 0) {
        HeldRegistry killedMeanwhile([] { return static_cast<long>(::raise(SIGKILL)); });
        StateMgrStatus status;
        SetRestorePoint(prefix_.prefix(), {BEGIN_SYSTEM_CHANGE, 6, 0, "x"}, &status,
                        &killedMeanwhile);
        ::_exit(0);
    }
    ::wait(nullptr);
    RemoveIncompleteRestorePoints();
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(folder)) {
        left.push_back(entry.path().filename().string());
    }
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left,
              (std::vector<std::string>{"10", "11", "12", "3", "4", "5", "6", "7", "8", "9"}));
    EXPECT_EQ(ReadHostFileOrEmpty(Snapshot(12) / "user.reg"),
              ReadHostFileOrEmpty(prefix_.root() / "user.reg"));
}

TEST(RestorePointVersions, OnlyMeXpAndNewerNtSystemsKeepRestorePoints) {
    const auto supported = [](int platformId, int major, int minor) {
        return RestorePointsSupported({platformId, major, minor, 0});
    };
    EXPECT_TRUE(supported(VER_PLATFORM_WIN32_WINDOWS, 4, 90));
    EXPECT_FALSE(supported(VER_PLATFORM_WIN32_WINDOWS, 4, 10));
    EXPECT_TRUE(supported(VER_PLATFORM_WIN32_NT, 5, 1));
    EXPECT_FALSE(supported(VER_PLATFORM_WIN32_NT, 5, 0));
    EXPECT_FALSE(supported(VER_PLATFORM_WIN32_NT, 5, 2));
    EXPECT_TRUE(supported(VER_PLATFORM_WIN32_NT, 6, 0));
    EXPECT_TRUE(supported(VER_PLATFORM_WIN32_NT, 10, 0));
    EXPECT_FALSE(supported(VER_PLATFORM_WIN32_NT, 4, 0));
    EXPECT_FALSE(supported(3, 6, 1));
}

}  // namespace
