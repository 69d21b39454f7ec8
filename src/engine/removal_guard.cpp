#include "engine/removal_guard.h"

#include <algorithm>
#include <system_error>

#include "engine/quarantine_log.h"
#include "foundation/folder_tokens.h"
#include "platform/application.h"
#include "platform/path_mapper.h"
#include "platform/prefix.h"
#include "platform/restore_points.h"
#include "platform/user_settings.h"
#include "platform/windows_path.h"

namespace fs = std::filesystem;

namespace {

// The host path as the host finds it: links followed, "." and ".." applied, no trailing "/".
fs::path Resolved(const fs::path& hostPath) {
    std::error_code error;
    fs::path resolved = fs::weakly_canonical(hostPath, error);
    if (error) {
        resolved = hostPath.lexically_normal();
    }
    if (!resolved.has_filename() && resolved.has_relative_path()) {
        resolved = resolved.parent_path();
    }
    return resolved;
}

}  // namespace

RemovalGuard::RemovalGuard(platform::Machine& machine) : paths_(machine.paths()) {
    std::vector<std::string> windowsFolders = FolderTokenExpander(machine).TokenFolders();
    windowsFolders.push_back(platform::ProgramFolder());
    windowsFolders.push_back(QuarantineFolder());
    for (const std::string& folder : windowsFolders) {
        if (const auto host = paths_.ToHost(folder)) {
            keptFolders_.push_back(Resolved(*host));
        }
    }
    for (const auto& [letter, folder] : paths_.LinkedDrives()) {
        keptFolders_.push_back(Resolved(folder));
    }
    keptFolders_.push_back(Resolved(fs::path(platform::UserSettingsFilePath()).parent_path()));
    keptFolders_.push_back(Resolved(platform::RestorePointsFolder()));
    keptFolders_.push_back(Resolved(platform::HomeFolder()));
}

bool RemovalGuard::MayRemove(std::string_view windowsPath) const {
    const auto parsed = platform::ParseWindowsPath(windowsPath);
    if (!parsed) {
        return false;
    }
    const auto driveFolder = paths_.DriveFolder(parsed->drive);
    const auto host = paths_.ToHost(windowsPath);
    if (!driveFolder || !host) {
        return true;
    }
    if (Resolved(*driveFolder) == fs::path("/")) {
        return false;
    }
    const fs::path target = Resolved(*host);
    return std::none_of(keptFolders_.begin(), keptFolders_.end(), [&](const fs::path& kept) {
        return platform::IsWithinHostFolder(kept, target);
    });
}
