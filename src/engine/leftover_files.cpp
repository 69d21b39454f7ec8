#include "engine/leftover_files.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "engine/quarantine.h"
#include "engine/quarantine_log.h"
#include "platform/application.h"
#include "platform/autostart_entry.h"
#include "platform/held_entry.h"
#include "platform/machine.h"
#include "platform/restore_points.h"
#include "platform/temporary_files.h"
#include "platform/user_settings.h"

namespace fs = std::filesystem;

namespace {

std::optional<fs::path> HostPath(std::string_view windowsPath) {
    return platform::CurrentMachine().paths().ToHost(windowsPath);
}

// A file reached through a link is replaced where it lives, so its temporary files are there.
fs::path WhereWritten(const fs::path& file) {
    std::error_code error;
    if (fs::is_symlink(file, error)) {
        const fs::path target = fs::canonical(file, error);
        if (!error) {
            return target;
        }
    }
    return file;
}

void RemoveTemporaryFilesOf(const fs::path& file, std::string_view marker) {
    const fs::path written = WhereWritten(file);
    platform::RemoveTemporaryFiles(written.parent_path(), marker, written.filename().string());
}

void RemoveQuarantineLeftovers() {
    const std::optional<fs::path> folder = HostPath(QuarantineFolder());
    if (!folder) {
        return;
    }
    platform::RemoveTemporaryFiles(*folder, platform::kPendingFileMarker);
    std::error_code error;
    const fs::path resolved = fs::canonical(*folder, error);  // a held entry's path has no link
    for (fs::directory_iterator entry(resolved, error), end; !error && entry != end;
         entry.increment(error)) {
        if (!IsPartialFolderCopyName(entry->path().filename().string())) {
            continue;
        }
        // A folder copy cut short, taken through descriptors: no link inside it is followed.
        if (const auto held = platform::HeldEntry::Open(entry->path())) {
            platform::DeleteHeldFolder(
                *held, platform::FilesInUse::Snapshot(platform::CurrentMachine().prefix().root()));
        }
    }
}

void RemoveRestorePointLeftovers() {
    platform::RemoveIncompleteRestorePoints();
    std::error_code error;
    for (fs::directory_iterator snapshot(platform::RestorePointsFolder(), error), end;
         !error && snapshot != end; snapshot.increment(error)) {
        std::error_code entryError;
        if (snapshot->symlink_status(entryError).type() == fs::file_type::directory) {
            platform::RemoveTemporaryFiles(snapshot->path(), platform::kPendingFileMarker);
        }
    }
}

}  // namespace

void RemoveLeftoverTemporaryFiles() {
    if (const std::optional<fs::path> programFolder = HostPath(platform::ProgramFolder())) {
        platform::RemoveTemporaryFiles(*programFolder, platform::kPendingFileMarker);
        platform::RemoveTemporaryFiles(*programFolder, platform::kDownloadMarker);
    }
    RemoveQuarantineLeftovers();
    RemoveRestorePointLeftovers();
    // Beside files in folders that are not the program's own, only their own temporary files.
    const platform::Prefix& prefix = platform::CurrentMachine().prefix();
    for (const fs::path& file :
         {prefix.systemHive(), prefix.userHive(), prefix.defaultUserHive(),
          fs::path(platform::UserSettingsFilePath()), platform::AutostartEntryPath()}) {
        RemoveTemporaryFilesOf(file, platform::kReplacedFileMarker);
    }
}
