#include "platform/wine_process.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

using namespace std::string_literals;

TEST(WineProcess, WinesLoaderOrItsNtdllMakesAWineProcess) {
    EXPECT_TRUE(IsWineProcess("/usr/lib/wine/wine64-preloader", ""));
    EXPECT_TRUE(IsWineProcess("/usr/lib/wine/wine64", ""));
    EXPECT_TRUE(IsWineProcess("/opt/wine-stable/bin/wine", ""));
    EXPECT_TRUE(IsWineProcess("/opt/other/bin/loader",
                              "1-2 r-xp 0 08:01 7 /opt/other/lib/x86_64-unix/ntdll.so\n"));

    // Names a Windows program, or Wine's, without being run by Wine.
    EXPECT_FALSE(
        IsWineProcess("/tmp/Bad/badtool.exe", "1-2 r-xp 0 08:01 7 /tmp/Bad/badtool.exe\n"));
    EXPECT_FALSE(IsWineProcess("/usr/lib/wine/wineserver64", ""));
    EXPECT_FALSE(IsWineProcess("/usr/bin/winecfg-helper", "3-4 r--p 0 08:01 8 /x/ntdll.so.bak\n"));
}

TEST(WineProcess, ThePrefixComesFromWineprefixElseFromTheHomeFolder) {
    EXPECT_EQ(WinePrefixOf("HOME=/home/u\0WINEPREFIX=/data/games\0"s, "/root"), "/data/games");
    EXPECT_EQ(WinePrefixOf("PATH=/bin\0HOME=/home/u\0"s, "/root"), "/home/u/.wine");
    EXPECT_EQ(WinePrefixOf("MY_WINEPREFIX=/x\0"s, "/root"), "/root/.wine");
    EXPECT_EQ(WinePrefixOf("", "/root"), "/root/.wine");
    // Wine refuses to start with a relative prefix.
    EXPECT_EQ(WinePrefixOf("WINEPREFIX=games\0"s, "/root"), std::nullopt);
    EXPECT_EQ(WinePrefixOf("WINEPREFIX=\0"s, "/root"), std::nullopt);
}

}  // namespace
}  // namespace platform
