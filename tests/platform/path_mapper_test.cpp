#include "platform/path_mapper.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/windows_path.h"
#include "support/temporary_prefix.h"

namespace fs = std::filesystem;
using platform::PathMapper;
using test_support::TemporaryPrefix;

namespace {

class PathMapperTest : public ::testing::Test {
  protected:
    TemporaryPrefix prefix_;
    PathMapper paths_{prefix_.prefix().dosdevices()};
};

TEST_F(PathMapperTest, MatchesEachComponentWithoutLetterCase) {
    const fs::path file = prefix_.WriteFile("Program Files/Bad Tool/Spy.EXE", "x");
    EXPECT_EQ(paths_.ToHost("c:\\PROGRAM FILES\\bad tool\\spy.exe"), file);
    EXPECT_EQ(paths_.ToHost("C:/program files//Bad Tool\\\\SPY.exe"), file);
    EXPECT_EQ(paths_.ToHost("C:\\Windows\\.\\System32\\..\\FONTS"),
              prefix_.DriveC("windows/Fonts"));
}

TEST_F(PathMapperTest, AnExactMatchWinsOverOneWithoutCase) {
    const fs::path upper = prefix_.WriteFile("data/Report.txt", "upper");
    const fs::path lower = prefix_.WriteFile("data/report.txt", "lower");
    EXPECT_EQ(paths_.ToHost("C:\\data\\report.txt"), lower);
    EXPECT_EQ(paths_.ToHost("C:\\data\\Report.txt"), upper);
    EXPECT_EQ(paths_.ToHost("C:\\DATA\\REPORT.TXT"), upper);  // first in byte order
}

TEST_F(PathMapperTest, KeepsMissingComponentsAsWritten) {
    EXPECT_EQ(paths_.ToHost("C:\\WINDOWS\\NewFolder\\New.txt"),
              prefix_.DriveC("windows/NewFolder/New.txt"));
}

TEST_F(PathMapperTest, DriveZIsTheHostRootEvenWithoutItsLink) {
    prefix_.UnlinkDrive('z');
    EXPECT_EQ(paths_.ToHost("Z:\\"), fs::path("/"));
    EXPECT_EQ(paths_.ToHost("z:\\TMP"), fs::path("/tmp"));
    EXPECT_EQ(paths_.ToWindows("/usr/bin/env"), "Z:\\usr\\bin\\env");
}

TEST_F(PathMapperTest, RefusesWhatNamesNoDrivePath) {
    EXPECT_FALSE(paths_.ToHost("Q:\\nothing"));  // no such drive
    EXPECT_FALSE(paths_.ToHost("\\\\server\\share\\file"));
    EXPECT_FALSE(paths_.ToHost(std::string("C:\\a\0b", 6)));
}

TEST_F(PathMapperTest, FollowsADriveLinkAgainOnceItIsChanged) {
    fs::create_directories(prefix_.DriveC("first"));
    fs::create_directories(prefix_.DriveC("second"));
    prefix_.LinkDrive('d', prefix_.DriveC("first"));
    EXPECT_EQ(paths_.ToHost("D:\\x.txt"), fs::canonical(prefix_.DriveC("first")) / "x.txt");
    prefix_.UnlinkDrive('d');
    EXPECT_FALSE(paths_.ToHost("D:\\x.txt"));
    prefix_.LinkDrive('d', prefix_.DriveC("second"));
    EXPECT_EQ(paths_.ToHost("D:\\x.txt"), fs::canonical(prefix_.DriveC("second")) / "x.txt");
    prefix_.UnlinkDrive('d');
    prefix_.LinkDrive('d', prefix_.DriveC("first"));  // the same text as the first time
    EXPECT_EQ(paths_.DriveFolder('D'), fs::canonical(prefix_.DriveC("first")));
}

TEST_F(PathMapperTest, ARelativePathStartsInTheCurrentFolder) {
    const fs::path previous = fs::current_path();
    fs::current_path(prefix_.DriveC("windows"));
    const auto relative = paths_.ToHost("SYSTEM32");
    const auto rooted = paths_.ToHost("\\users");
    fs::current_path(previous);
    EXPECT_EQ(relative, prefix_.DriveC("windows/system32"));
    EXPECT_EQ(rooted, prefix_.DriveC("users"));
}

TEST_F(PathMapperTest, MapsHostPathsBackThroughTheClosestDrive) {
    fs::create_directories(prefix_.DriveC("data/deep"));
    prefix_.LinkDrive('d', prefix_.DriveC("data"));
    EXPECT_EQ(paths_.ToWindows(prefix_.DriveC("windows/system32")), "C:\\windows\\system32");
    EXPECT_EQ(paths_.ToWindows(prefix_.root() / "dosdevices/c:/users"), "C:\\users");
    EXPECT_EQ(paths_.ToWindows(prefix_.DriveC()), "C:\\");
    EXPECT_EQ(paths_.ToWindows(prefix_.DriveC("data/deep/new.txt")), "D:\\deep\\new.txt");
    EXPECT_EQ(paths_.ToWindows(prefix_.root() / "system.reg"),
              platform::ZDrivePath(fs::canonical(prefix_.root()) / "system.reg"));
}

TEST(WindowsPath, TakesPathTextApart) {
    const auto path = platform::ParseWindowsPath("\\\\?\\d:\\a\\\\b\\..\\c\\");
    ASSERT_TRUE(path);
    EXPECT_EQ(path->drive, 'D');
    EXPECT_EQ(path->components, (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(platform::FormatWindowsPath(*path), "D:\\a\\c");
    EXPECT_EQ(platform::FormatWindowsPath(*platform::ParseWindowsPath("c:..\\..")), "C:\\");
    EXPECT_FALSE(platform::ParseWindowsPath("relative\\path"));
    EXPECT_FALSE(platform::ParseWindowsPath(""));
}

}  // namespace
