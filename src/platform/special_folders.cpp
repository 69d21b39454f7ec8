#include "platform/special_folders.h"

#include <system_error>

#include "platform/reg_text.h"
#include "platform/shell_folder_table.h"
#include "platform/windows_environment.h"

namespace platform {
namespace {

constexpr int CSIDL_SYSTEM = 37;
constexpr std::size_t kMaximumSystemFolderLength = 255;

std::string WithoutTrailingSeparator(std::string path) {
    while (path.size() > 3 && (path.back() == '\\' || path.back() == '/')) {
        path.pop_back();
    }
    return path;
}

}  // namespace

SpecialFolders::SpecialFolders(Registry& registry, const PathMapper& paths,
                               std::string fallbackUserName)
    : registry_(registry), paths_(paths), fallbackUserName_(std::move(fallbackUserName)) {}

std::string SpecialFolders::StoredPath(int csidl) const {
    const ShellFolder* folder = FindShellFolder(csidl);
    if (folder == nullptr) {
        return "";
    }
    const WindowsEnvironment environment = PrefixEnvironment(registry_, fallbackUserName_);
    const std::string fallback =
        folder->defaultValue == nullptr ? "" : environment.Expand(folder->defaultValue);
    switch (folder->source) {
        case ShellFolderSource::Fixed:
            return fallback;
        case ShellFolderSource::CurrentVersion:
            return ReadRegText(registry_, HKEY_LOCAL_MACHINE, kCurrentVersionKey, folder->valueName)
                .value_or(fallback);
        case ShellFolderSource::User:
        case ShellFolderSource::Common:
            break;
    }
    const RegRoot root =
        folder->source == ShellFolderSource::User ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    if (auto value = ReadRegText(registry_, root, kUserShellFoldersKey, folder->valueName);
        value && !value->empty()) {
        return environment.Expand(*value);
    }
    if (auto value = ReadRegText(registry_, root, kShellFoldersKey, folder->valueName);
        value && !value->empty()) {
        return *value;
    }
    return fallback;
}

std::string SpecialFolders::ExistingFolder(std::string path) const {
    path = WithoutTrailingSeparator(std::move(path));
    if (path.empty()) {
        return "";
    }
    const auto host = paths_.ToHost(path);
    std::error_code error;
    return host && std::filesystem::is_directory(*host, error) ? path : "";
}

std::string SpecialFolders::ProfileVariable(std::string_view name) const {
    return PrefixEnvironment(registry_, fallbackUserName_).Get(name).value_or("");
}

std::string SpecialFolders::Path(int csidl) const {
    return ExistingFolder(StoredPath(csidl));
}

std::string SpecialFolders::UserProfilePath() const {
    return ExistingFolder(ProfileVariable("USERPROFILE"));
}

std::string SpecialFolders::AllUsersProfilePath() const {
    return ExistingFolder(ProfileVariable("ALLUSERSPROFILE"));
}

std::string SpecialFolders::SystemFolder() const {
    std::string path = WithoutTrailingSeparator(StoredPath(CSIDL_SYSTEM));
    return path.size() <= kMaximumSystemFolderLength ? path : "";
}

}  // namespace platform
