#include "platform/shell_folder_table.h"

#include <algorithm>

namespace platform {
namespace {

using enum ShellFolderSource;

#define ROAMING "%USERPROFILE%\\AppData\\Roaming"
#define LOCAL "%USERPROFILE%\\AppData\\Local"
#define START_MENU ROAMING "\\Microsoft\\Windows\\Start Menu"
#define COMMON_START_MENU "%ProgramData%\\Microsoft\\Windows\\Start Menu"

// The newer profile layout, as a fresh prefix has it.
constexpr ShellFolder kShellFolders[] = {
    {2, User, "Programs", START_MENU "\\Programs"},
    {5, User, "Personal", "%USERPROFILE%\\Documents"},
    {6, User, "Favorites", "%USERPROFILE%\\Favorites"},
    {7, User, "Startup", START_MENU "\\Programs\\StartUp"},
    {8, User, "Recent", ROAMING "\\Microsoft\\Windows\\Recent"},
    {9, User, "SendTo", ROAMING "\\Microsoft\\Windows\\SendTo"},
    {11, User, "Start Menu", START_MENU},
    {13, User, "My Music", "%USERPROFILE%\\Music"},
    {14, User, "My Videos", "%USERPROFILE%\\Videos"},
    {16, User, "Desktop", "%USERPROFILE%\\Desktop"},
    {19, User, "NetHood", ROAMING "\\Microsoft\\Windows\\Network Shortcuts"},
    {20, Fixed, nullptr, "C:\\windows\\Fonts"},
    {21, User, "Templates", ROAMING "\\Microsoft\\Windows\\Templates"},
    {22, Common, "Common Start Menu", COMMON_START_MENU},
    {23, Common, "Common Programs", COMMON_START_MENU "\\Programs"},
    {24, Common, "Common Startup", COMMON_START_MENU "\\Programs\\StartUp"},
    {25, Common, "Common Desktop", "%PUBLIC%\\Desktop"},
    {26, User, "AppData", ROAMING},
    {27, User, "PrintHood", ROAMING "\\Microsoft\\Windows\\Printer Shortcuts"},
    {28, User, "Local AppData", LOCAL},
    {29, User, "AltStartup", nullptr},
    {30, Common, "Common AltStartup", nullptr},
    {31, Common, "Common Favorites", "%PUBLIC%\\Favorites"},
    {32, User, "Cache", LOCAL "\\Microsoft\\Windows\\INetCache"},
    {33, User, "Cookies", LOCAL "\\Microsoft\\Windows\\INetCookies"},
    {34, User, "History", LOCAL "\\Microsoft\\Windows\\History"},
    {35, Common, "Common AppData", "%ProgramData%"},
    {36, Fixed, nullptr, "C:\\windows"},
    {37, Fixed, nullptr, "C:\\windows\\system32"},
    {38, CurrentVersion, "ProgramFilesDir", "C:\\Program Files"},
    {39, User, "My Pictures", "%USERPROFILE%\\Pictures"},
    {43, CurrentVersion, "CommonFilesDir", "C:\\Program Files\\Common Files"},
    {45, Common, "Common Templates", "%ProgramData%\\Microsoft\\Windows\\Templates"},
    {46, Common, "Common Documents", "%PUBLIC%\\Documents"},
};

#undef ROAMING
#undef LOCAL
#undef START_MENU
#undef COMMON_START_MENU

}  // namespace

std::span<const ShellFolder> ShellFolders() {
    return kShellFolders;
}

const ShellFolder* FindShellFolder(int csidl) {
    const auto* found =
        std::find_if(std::begin(kShellFolders), std::end(kShellFolders),
                     [csidl](const ShellFolder& folder) { return folder.csidl == csidl; });
    return found == std::end(kShellFolders) ? nullptr : found;
}

}  // namespace platform
