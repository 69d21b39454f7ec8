#include "platform/fresh_prefix.h"

#include <ctime>
#include <system_error>

#include "platform/file_errors.h"
#include "platform/host_files.h"
#include "platform/shell_folder_table.h"
#include "platform/windows_environment.h"
#include "platform/wine_hive_text.h"

namespace fs = std::filesystem;

namespace platform {
namespace {

constexpr const char* kNtVersionKey = "Software\\Microsoft\\Windows NT\\CurrentVersion";

std::string ProfileOf(std::string_view userName) {
    return "C:\\users\\" + std::string(userName);
}

void WriteShellFolders(WineHiveText& hive, ShellFolderSource source,
                       const WindowsEnvironment& environment, bool expanded) {
    hive.Key(expanded ? kShellFoldersKey : kUserShellFoldersKey);
    for (const auto& folder : ShellFolders()) {
        if (folder.source != source || folder.defaultValue == nullptr) {
            continue;
        }
        if (expanded) {
            hive.String(folder.valueName, environment.Expand(folder.defaultValue));
        } else {
            hive.ExpandString(folder.valueName, folder.defaultValue);
        }
    }
}

std::string SystemHiveText(std::string_view userName, std::int64_t unixTime) {
    const WindowsEnvironment environment = ProfileEnvironment(ProfileOf(userName));
    WineHiveText hive("REGISTRY\\Machine", unixTime);
    hive.Key(kCurrentVersionKey);
    for (const auto& folder : ShellFolders()) {
        if (folder.source == ShellFolderSource::CurrentVersion) {
            hive.String(folder.valueName, folder.defaultValue);
        }
    }
    WriteShellFolders(hive, ShellFolderSource::Common, environment, true);
    WriteShellFolders(hive, ShellFolderSource::Common, environment, false);
    hive.Key(kNtVersionKey);
    hive.String("CSDVersion", "Service Pack 1");
    hive.String("CurrentBuildNumber", "7601");
    hive.String("CurrentVersion", "6.1");
    hive.String("SystemRoot", "C:\\windows");
    hive.Key(std::string(kNtVersionKey) + "\\ProfileList\\" + kPrefixUserSid);
    hive.String("ProfileImagePath", ProfileOf(userName));
    hive.Key("Software\\Wine\\Drives");
    hive.String("c:", "hd");
    hive.Key("System\\CurrentControlSet\\Control\\Session Manager\\Environment");
    hive.String("ALLUSERSPROFILE", "C:\\ProgramData");
    hive.String("ProgramData", "C:\\ProgramData");
    hive.String("PUBLIC", "C:\\users\\Public");
    hive.ExpandString("TEMP", "%SystemRoot%\\temp");
    hive.ExpandString("TMP", "%SystemRoot%\\temp");
    hive.ExpandString("windir", "%SystemRoot%");
    return hive.text();
}

std::string UserHiveText(std::string_view userName, std::int64_t unixTime) {
    const WindowsEnvironment environment = ProfileEnvironment(ProfileOf(userName));
    WineHiveText hive(std::string("REGISTRY\\User\\") + kPrefixUserSid, unixTime);
    hive.Key("Environment");
    hive.ExpandString("TEMP", "%USERPROFILE%\\AppData\\Local\\Temp");
    hive.ExpandString("TMP", "%USERPROFILE%\\AppData\\Local\\Temp");
    WriteShellFolders(hive, ShellFolderSource::User, environment, true);
    WriteShellFolders(hive, ShellFolderSource::User, environment, false);
    return hive.text();
}

std::string DefaultUserHiveText(std::int64_t unixTime) {
    WineHiveText hive("REGISTRY\\User\\.Default", unixTime);
    WriteShellFolders(hive, ShellFolderSource::User, WindowsEnvironment(), false);
    return hive.text();
}

// "C:\users\bob\Desktop" -> "users/bob/Desktop"; nothing for a path outside C:.
std::optional<fs::path> BelowDriveC(const std::string& windowsPath) {
    if (windowsPath.rfind("C:\\", 0) != 0) {
        return std::nullopt;
    }
    fs::path relative;
    std::size_t start = 3;
    while (start < windowsPath.size()) {
        const std::size_t end = windowsPath.find('\\', start);
        relative /= windowsPath.substr(start, end - start);
        start = end == std::string::npos ? windowsPath.size() : end + 1;
    }
    return relative;
}

long MakeLinkUnlessPresent(const fs::path& link, const fs::path& target) {
    std::error_code error;
    if (fs::symlink_status(link, error).type() != fs::file_type::not_found) {
        return ERROR_SUCCESS;
    }
    fs::create_directory_symlink(target, link, error);
    return error ? Win32ErrorFromErrno(error.value()) : ERROR_SUCCESS;
}

long WriteUnlessPresent(const fs::path& file, const std::string& text) {
    std::error_code error;
    return fs::exists(file, error) ? ERROR_SUCCESS : ReplaceHostFile(file, text);
}

}  // namespace

FreshHives FreshHiveTexts(std::string_view userName, std::int64_t unixTime) {
    return {SystemHiveText(userName, unixTime), UserHiveText(userName, unixTime),
            DefaultUserHiveText(unixTime)};
}

std::vector<fs::path> FreshFolders(std::string_view userName) {
    const WindowsEnvironment environment = ProfileEnvironment(ProfileOf(userName));
    std::vector<fs::path> folders = {"windows/temp", "users/Public"};
    for (const char* variable : {"TEMP", "USERPROFILE"}) {
        folders.push_back(*BelowDriveC(*environment.Get(variable)));
    }
    for (const auto& folder : ShellFolders()) {
        if (folder.defaultValue != nullptr) {
            if (auto relative = BelowDriveC(environment.Expand(folder.defaultValue))) {
                folders.push_back(std::move(*relative));
            }
        }
    }
    return folders;
}

long LayDownFreshPrefix(const fs::path& root, std::string_view userName) {
    std::error_code error;
    const fs::path driveC = root / "drive_c";
    fs::create_directories(root / "dosdevices", error);
    for (const auto& folder : FreshFolders(userName)) {
        if (!error) {
            fs::create_directories(driveC / folder, error);
        }
    }
    if (error) {
        return Win32ErrorFromErrno(error.value());
    }
    const FreshHives hives = FreshHiveTexts(userName, std::time(nullptr));
    for (const long status : {MakeLinkUnlessPresent(root / "dosdevices" / "c:", "../drive_c"),
                              MakeLinkUnlessPresent(root / "dosdevices" / "z:", "/"),
                              WriteUnlessPresent(root / "system.reg", hives.system),
                              WriteUnlessPresent(root / "user.reg", hives.user),
                              WriteUnlessPresent(root / "userdef.reg", hives.userDefault)}) {
        if (status != ERROR_SUCCESS) {
            return status;
        }
    }
    return ERROR_SUCCESS;
}

}  // namespace platform
