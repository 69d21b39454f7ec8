#include "platform/windows_environment.h"

#include <algorithm>

#include "platform/reg_text.h"
#include "platform/shell_folder_table.h"
#include "platform/text_case.h"

namespace platform {
namespace {

constexpr int kMaximumNesting = 8;
constexpr const char* kProfileListKey =
    "Software\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
constexpr const char* kMachineEnvironmentKey =
    "System\\CurrentControlSet\\Control\\Session Manager\\Environment";
constexpr const char* kUserEnvironmentKey = "Environment";

void OverlayFromRegistry(WindowsEnvironment& environment, Registry& registry, RegRoot root,
                         std::string_view key) {
    for (const auto& name : ReadRegValueNames(registry, root, key)) {
        if (auto value = ReadRegText(registry, root, key, name)) {
            environment.Set(name, std::move(*value));
        }
    }
}

}  // namespace

void WindowsEnvironment::Set(std::string_view name, std::string value) {
    const auto found = std::find_if(
        variables_.begin(), variables_.end(),
        [&](const auto& variable) { return EqualsIgnoringCase(variable.first, name); });
    if (found != variables_.end()) {
        found->second = std::move(value);
    } else {
        variables_.emplace_back(std::string(name), std::move(value));
    }
}

std::optional<std::string> WindowsEnvironment::Get(std::string_view name) const {
    for (const auto& [variable, value] : variables_) {
        if (EqualsIgnoringCase(variable, name)) {
            return value;
        }
    }
    return std::nullopt;
}

std::string WindowsEnvironment::Expand(std::string_view text) const {
    return ExpandNested(text, 0);
}

std::string WindowsEnvironment::ExpandNested(std::string_view text, int depth) const {
    std::string result;
    while (!text.empty()) {
        const std::size_t open = text.find('%');
        const std::size_t close = open == std::string_view::npos ? open : text.find('%', open + 1);
        if (close == std::string_view::npos) {
            result += text;
            break;
        }
        result += text.substr(0, open);
        const auto value = Get(text.substr(open + 1, close - open - 1));
        if (value && depth < kMaximumNesting) {
            result += ExpandNested(*value, depth + 1);
            text.remove_prefix(close + 1);
        } else {
            // Unknown: keep the first "%" and look again from the second, which may open a name.
            result += text.substr(open, close - open);
            text.remove_prefix(close);
        }
    }
    return result;
}

WindowsEnvironment SystemEnvironment() {
    WindowsEnvironment environment;
    environment.Set("SystemDrive", "C:");
    environment.Set("SystemRoot", "C:\\windows");
    environment.Set("windir", "C:\\windows");
    environment.Set("ProgramData", "C:\\ProgramData");
    environment.Set("ALLUSERSPROFILE", "C:\\ProgramData");
    environment.Set("PUBLIC", "C:\\users\\Public");
    environment.Set("ProgramFiles", "C:\\Program Files");
    environment.Set("CommonProgramFiles", "C:\\Program Files\\Common Files");
    return environment;
}

WindowsEnvironment ProfileEnvironment(std::string_view userProfile) {
    const std::string profile(userProfile);
    const std::size_t lastSeparator = profile.find_last_of('\\');
    WindowsEnvironment environment = SystemEnvironment();
    environment.Set("USERPROFILE", profile);
    environment.Set("USERNAME", lastSeparator == std::string::npos
                                    ? profile
                                    : profile.substr(lastSeparator + 1));
    environment.Set("HOMEDRIVE", profile.substr(0, 2));
    environment.Set("HOMEPATH", profile.size() > 2 ? profile.substr(2) : "\\");
    environment.Set("APPDATA", profile + "\\AppData\\Roaming");
    environment.Set("LOCALAPPDATA", profile + "\\AppData\\Local");
    environment.Set("TEMP", profile + "\\AppData\\Local\\Temp");
    environment.Set("TMP", profile + "\\AppData\\Local\\Temp");
    return environment;
}

std::string UserProfileFolder(Registry& registry, std::string_view fallbackUserName) {
    for (const auto& sid : ReadRegSubKeys(registry, HKEY_LOCAL_MACHINE, kProfileListKey)) {
        if (sid.rfind("S-1-5-21-", 0) != 0) {
            continue;  // the service accounts
        }
        const std::string key = std::string(kProfileListKey) + "\\" + sid;
        if (auto path = ReadRegText(registry, HKEY_LOCAL_MACHINE, key, "ProfileImagePath")) {
            return SystemEnvironment().Expand(*path);
        }
    }
    return "C:\\users\\" + std::string(fallbackUserName);
}

WindowsEnvironment PrefixEnvironment(Registry& registry, std::string_view fallbackUserName) {
    WindowsEnvironment environment =
        ProfileEnvironment(UserProfileFolder(registry, fallbackUserName));
    OverlayFromRegistry(environment, registry, HKEY_LOCAL_MACHINE, kMachineEnvironmentKey);
    OverlayFromRegistry(environment, registry, HKEY_CURRENT_USER, kUserEnvironmentKey);
    if (auto programFiles =
            ReadRegText(registry, HKEY_LOCAL_MACHINE, kCurrentVersionKey, "ProgramFilesDir")) {
        environment.Set("ProgramFiles", std::move(*programFiles));
    }
    if (auto common =
            ReadRegText(registry, HKEY_LOCAL_MACHINE, kCurrentVersionKey, "CommonFilesDir")) {
        environment.Set("CommonProgramFiles", std::move(*common));
    }
    return environment;
}

}  // namespace platform
