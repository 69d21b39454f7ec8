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
    // The command line may name any program; the mapped file is the one that runs.
    const ProcessFacts facts{"badtool.exe", std::string("C:\\elsewhere\\other.exe -n 30\0", 28),
                             kWineMaps};
    EXPECT_EQ(WindowsProgramPath(facts, ToWindows), "C:\\Program Files\\Bad Tools\\badtool.exe");
}

TEST(ProcessImagePath, LongProgramNamesMatchTheKernelsShortenedName) {
    const ProcessFacts facts{
        "LongProgramName", "",
        "1-2 r--p 0 08:01 1 /home/u/.wine/drive_c/windows/start.exe\n"
        "3-4 r--p 0 08:01 2 /home/u/.wine/drive_c/Tools/LongProgramName.exe (deleted)\n"};
    EXPECT_EQ(WindowsProgramPath(facts, ToWindows), "C:\\Tools\\LongProgramName.exe");
}

TEST(ProcessImagePath, WineProcessWithoutMappedImageUsesItsArgumentArea) {
    const std::string blankPadded = "C:\\Program Files\\badtool.exe -n 30 127.0.0.1         ";
    const ProcessFacts facts{"badtool.exe", blankPadded + std::string(1, '\0'), ""};
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

// Wine maps its own programs from its folder on the host, the one its ntdll.dll comes from.
TEST(ProcessImagePath, WinesOwnProgramsAreWhereWinePutsThem) {
    const std::string wineFolder = "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/";
    const auto wineMaps = [&](const std::vector<std::string>& files) {
        std::string maps =
            "1-2 r-xp 0 08:01 7 /usr/lib/x86_64-linux-gnu/wine/x86_64-unix/ntdll.so\n"
            "3-4 r--p 0 08:01 8 " +
            wineFolder + "ntdll.dll\n";
        for (const std::string& file : files) {
            maps += "5-6 r--p 0 08:01 9 " + file + "\n";
        }
        return maps;
    };
    // In the folder their command line names.
    EXPECT_EQ(WindowsProgramPath(
                  {"services.exe", std::string("C:\\windows\\system32\\services.exe\0", 33),
                   wineMaps({wineFolder + "services.exe"})},
                  ToWindows),
              "C:\\windows\\system32\\services.exe");
    EXPECT_EQ(WindowsProgramPath({"notepad.exe", "C:\\windows\\notepad.exe",
                                  wineMaps({wineFolder + "notepad.exe"})},
                                 ToWindows),
              "C:\\windows\\notepad.exe");
    // Else in the system folder: a command line without a folder, or one naming another program.
    EXPECT_EQ(WindowsProgramPath({"start.exe", std::string("start.exe\0/exec\0ping\0", 21),
                                  wineMaps({wineFolder + "start.exe"})},
                                 ToWindows),
              "C:\\windows\\system32\\start.exe");
    EXPECT_EQ(
        WindowsProgramPath({"winedevice.exe", "C:\\Program Files\\Bad\\other.exe",
                            wineMaps({wineFolder + "ntoskrnl.exe", wineFolder + "winedevice.exe"})},
                           ToWindows),
        "C:\\windows\\system32\\winedevice.exe");
    // A program of the prefix that Wine's libraries run is still the prefix's file.
    EXPECT_EQ(WindowsProgramPath({"badtool.exe", "C:\\windows\\system32\\badtool.exe",
                                  wineMaps({"/home/u/.wine/drive_c/Bad/badtool.exe"})},
                                 ToWindows),
              "C:\\Bad\\badtool.exe");
    // Nothing to go on at all.
    EXPECT_EQ(WindowsProgramPath(ProcessFacts{}, ToWindows), "");
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
