#include "platform/process_image_path.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace platform {
namespace {

// C: is the prefix's drive_c, everything else is on Z:.
std::string ToWindows(const std::string& hostPath) {
    const std::string driveC = "/home/u/.wine/drive_c/";
    std::string windowsPath =
        hostPath.starts_with(driveC) ? "C:\\" + hostPath.substr(driveC.size()) : "Z:" + hostPath;
    std::ranges::replace(windowsPath, '/', '\\');
    return windowsPath;
}

constexpr const char* kWineMaps =
    "00400000-00401000 r--p 00000000 08:01 1234       /home/u/.wine/drive_c/windows/system32/"
    "start.exe\n"
    "7f0000000000-7f0000001000 rw-p 00000000 00:00 0 \n"
    "7f0000001000-7f0000002000 r-xp 00001000 08:01 99         /usr/lib/wine/x86_64-unix/ntdll.so\n"
    "7f0000002000-7f0000003000 r--p 00000000 08:01 4321       /home/u/.wine/drive_c/Program "
    "Files/Bad Tools/badtool.exe\n"
    "7f0000003000-7f0000004000 r-xp 00001000 08:01 4321       /home/u/.wine/drive_c/Program "
    "Files/Bad Tools/badtool.exe\n"
    "7ffd00000000-7ffd00021000 rw-p 00000000 00:00 0          [stack]\n";

TEST(ProcessImagePath, WineProcessIsNamedByTheMappedImageItIsNamedAfter) {
    const ProcessFacts facts{"/usr/lib/wine/wine64-preloader", "badtool.exe",
                             std::string("C:\\elsewhere\\other.exe -n 30\0", 28), kWineMaps};
    EXPECT_EQ(WindowsProgramPath(facts, ToWindows), "C:\\Program Files\\Bad Tools\\badtool.exe");
}

TEST(ProcessImagePath, LongProgramNamesMatchTheKernelsShortenedName) {
    const ProcessFacts facts{
        "/usr/lib/wine/wine64-preloader", "LongProgramName", "",
        "1-2 r--p 0 08:01 1 /home/u/.wine/drive_c/windows/start.exe\n"
        "3-4 r--p 0 08:01 2 /home/u/.wine/drive_c/Tools/LongProgramName.exe (deleted)\n"};
    EXPECT_EQ(WindowsProgramPath(facts, ToWindows), "C:\\Tools\\LongProgramName.exe");
}

TEST(ProcessImagePath, WineProcessWithoutMappedImageUsesItsArgumentArea) {
    const std::string blankPadded = "C:\\Program Files\\badtool.exe -n 30 127.0.0.1         ";
    const ProcessFacts facts{"/usr/lib/wine/wine64-preloader", "badtool.exe",
                             blankPadded + std::string(1, '\0'), ""};
    EXPECT_EQ(WindowsProgramPath(facts, ToWindows), "C:\\Program Files\\badtool.exe");
}

TEST(ProcessImagePath, ImagePathAtTheStartOfACommandLine) {
    EXPECT_EQ(WindowsPathFromCommandLine("C:\\Program Files\\Bad\\bad tool.EXE -x"),
              "C:\\Program Files\\Bad\\bad tool.EXE");
    EXPECT_EQ(WindowsPathFromCommandLine("\"C:\\Program Files\\a.exe\" -x"),
              "C:\\Program Files\\a.exe");
    // ".exe" that does not end a word is part of a folder name.
    EXPECT_EQ(WindowsPathFromCommandLine("C:\\x.exe.d\\tool.exe"), "C:\\x.exe.d\\tool.exe");
    EXPECT_EQ(WindowsPathFromCommandLine("  C:\\windows\\notepad.com file.txt"),
              "C:\\windows\\notepad.com");
    // Only the first string of the argument area counts.
    EXPECT_EQ(WindowsPathFromCommandLine(std::string("C:\\a.exe\0C:\\b.exe", 17)), "C:\\a.exe");
    // Not a Windows image path.
    EXPECT_EQ(WindowsPathFromCommandLine("/usr/bin/sleep\0"
                                         "30"),
              "");
    EXPECT_EQ(WindowsPathFromCommandLine("badtool.exe -n 30"), "");
    EXPECT_EQ(WindowsPathFromCommandLine(""), "");
}

TEST(ProcessImagePath, NativeProcessMapsItsExecutable) {
    EXPECT_EQ(WindowsProgramPath({"/usr/bin/sleep", "sleep",
                                  "sleep\0"
                                  "30",
                                  ""},
                                 ToWindows),
              "Z:\\usr\\bin\\sleep");
    // A native copy planted in the prefix shows as the Windows program it pretends to be.
    EXPECT_EQ(WindowsProgramPath({"/home/u/.wine/drive_c/Bad/badtool.exe", "badtool.exe",
                                  "/home/u/.wine/drive_c/Bad/badtool.exe", ""},
                                 ToWindows),
              "C:\\Bad\\badtool.exe");
    // Nothing to go on at all.
    EXPECT_EQ(WindowsProgramPath({}, ToWindows), "");
}

TEST(ProcessImagePath, WineProcessesAreToldApart) {
    EXPECT_TRUE(IsWineProcess("/usr/lib/wine/wine64-preloader", "services.exe"));
    EXPECT_TRUE(IsWineProcess("/usr/lib/wine/wine", "winedevice"));
    EXPECT_TRUE(IsWineProcess("/opt/x/bin/loader", "SETUP.EXE"));
    EXPECT_FALSE(IsWineProcess("/usr/bin/winecfg-helper", "winecfg-helper"));
    EXPECT_FALSE(IsWineProcess("/usr/bin/sleep", "sleep"));
}

TEST(ProcessImagePath, MappedExeFilesAreListedOnceInOrder) {
    EXPECT_EQ(
        MappedExePaths(kWineMaps),
        (std::vector<std::string>{"/home/u/.wine/drive_c/windows/system32/start.exe",
                                  "/home/u/.wine/drive_c/Program Files/Bad Tools/badtool.exe"}));
    EXPECT_TRUE(MappedExePaths("1-2 rw-p 0 00:00 0\n1-2 rw-p 0 00:00 0   [heap]\n").empty());
}

}  // namespace
}  // namespace platform
