#include "engine/cookie_scan.h"

#include <gtest/gtest.h>

#include "engine/globals.h"
#include "foundation/definition_files.h"
#include "scan_phase_fixture.h"

using Table = std::vector<std::vector<std::string>>;

namespace {

constexpr int CSIDL_COOKIES = 33;

class CookieScanTest : public ScanPhaseTest {
  protected:
    CookieScanTest() {
        std::filesystem::create_directories(
            machine.prefix().DriveC("users/tester/AppData/Local/Microsoft/Windows/INetCookies"));
        WriteDefinitions(kBlockedCookiesFile, {"*doubleclick.net", "", "*tracker.com"});
    }

    // A cookie file of the user's cookies folder whose host-and-path field is hostAndPath.
    void WriteCookie(const std::string& name, const std::string& hostAndPath) {
        machine.prefix().WriteFile(
            "users/tester/AppData/Local/Microsoft/Windows/INetCookies/" + name,
            "id\nc0ffee\n" + hostAndPath + "\n1024\n*\n");
    }

    std::string CookiePath(const std::string& name) const {
        return GetSpecialFolder(CSIDL_COOKIES) + "\\" + name;
    }

    std::int32_t count = 0;
};

TEST_F(CookieScanTest, ListsExactlyTheCookiesOfBlockedHosts) {
    WriteCookie("tester@doubleclick[1].txt", "ad.doubleclick.net/");
    WriteCookie("tester@doubleclick[2].txt", "doubleclick.net/path");
    WriteCookie("tester@example[1].txt", "example.com/");
    WriteCookie("tester@www.tracker[1].txt", "www.tracker.com/");
    // A domain that leaves no key must not match the blank line of the list.
    WriteCookie("tester@.com[1].txt", ".com/");
    WriteCookie("index.dat", "doubleclick.net/");
    ScanCookies(Main(), count);

    const std::string first = CookiePath("tester@doubleclick[1].txt");
    const std::string second = CookiePath("tester@doubleclick[2].txt");
    const std::string tracker = CookiePath("tester@www.tracker[1].txt");
    EXPECT_EQ(Rows(Main().lvwSpywareFound),
              (Table{{"Cookie Found: tester@doubleclick[1].txt", "1"},
                     {"Cookie Found: tester@doubleclick[2].txt", "1"},
                     {"Cookie Found: tester@www.tracker[1].txt", "1"}}));
    EXPECT_EQ(Rows(Main().lvwCookiesToDelete),
              (Table{{first, "0", ""}, {second, "0", ""}, {tracker, "0", ""}}));
    EXPECT_EQ(Rows(Main().lvwPicRemoveListOfSpywareFoundAndToBeRemoved),
              (Table{{"Cookie: tester@doubleclick[1].txt", "1", first, "Tracking Cookie"},
                     {"Cookie: tester@doubleclick[2].txt", "1", second, "Tracking Cookie"},
                     {"Cookie: tester@www.tracker[1].txt", "1", tracker, "Tracking Cookie"}}));
    EXPECT_EQ(gSoftwareFound, 3);
    EXPECT_EQ(count, 6);             // every file is examined, cookie or not
    EXPECT_EQ(gMemoryInspected, 3);  // the number of blocked entries, at the last file
    EXPECT_EQ(Main().lbltracesFound.Caption(), "0");
}

TEST_F(CookieScanTest, AnExcludedCookieYieldsOnlyItsLine) {
    WriteCookie("tester@doubleclick[1].txt", "doubleclick.net/");
    Exclude({CookiePath("tester@doubleclick[1].txt")});
    ScanCookies(Main(), count);

    EXPECT_EQ(Rows(Main().lvwSpywareFound),
              (Table{{"EXCLUDED: " + CookiePath("tester@doubleclick[1].txt"), "5"}}));
    EXPECT_EQ(Main().lvwCookiesToDelete.ListItems.Count(), 0);
    EXPECT_EQ(Main().lvwPicRemoveListOfSpywareFoundAndToBeRemoved.ListItems.Count(), 0);
    EXPECT_EQ(gSoftwareFound, 0);
}

TEST_F(CookieScanTest, TheDomainComesFromTheFieldThatNamesTheHost) {
    const std::string path = CookiePath("tester@doubleclick[1].txt");
    WriteCookie("tester@doubleclick[1].txt", "x,ads.doubleclick.net/a,b");
    EXPECT_EQ(GetCookieDomain(path), "doubleclick.net");
    EXPECT_EQ(GetCookieDomain(CookiePath("tester@missing[1].txt")), "False");
    EXPECT_EQ(GetCookieDomain(CookiePath("index.dat")), "False");
}

}  // namespace
