#include "engine/removal_guard.h"

#include <sys/stat.h>

#include <algorithm>
#include <system_error>

#include "engine/quarantine_log.h"
#include "foundation/folder_tokens.h"
#include "platform/application.h"
#include "platform/path_mapper.h"
#include "platform/prefix.h"
#include "platform/restore_points.h"
#include "platform/shell_folder_table.h"
#include "platform/user_settings.h"
#include "platform/windows_path.h"

namespace fs = std::filesystem;
using Place = RemovalGuard::Place;

namespace {

std::optional<platform::EntryId> IdAt(const fs::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return std::nullopt;
    }
    return platform::IdOf(status);
}

// The place as the host finds it: links followed, "." and ".." applied, no trailing "/".
Place PlaceOf(const fs::path& hostPath) {
    std::error_code error;
    fs::path resolved = fs::weakly_canonical(hostPath, error);
    if (error) {
        resolved = hostPath.lexically_normal();
    }
    if (!resolved.has_filename() && resolved.has_relative_path()) {
        resolved = resolved.parent_path();
    }
    return {resolved, IdAt(resolved)};
}

// The same place, by its identity where both exist (a folder mounted twice is one place), else by
// its path.
bool IsPlace(const Place& step, const Place& place) {
    return (step.id && place.id && *step.id == *place.id) || step.path == place.path;
}

bool IsAnyOf(const Place& step, const std::vector<Place>& places) {
    return std::any_of(places.begin(), places.end(),
                       [&](const Place& place) { return IsPlace(step, place); });
}

// The place and every folder above it, up to "/".
void AddWithFoldersAbove(const Place& place, std::vector<Place>& places) {
    places.push_back(place);
    for (fs::path folder = place.path; folder.has_relative_path();) {
        folder = folder.parent_path();
        places.push_back({folder, IdAt(folder)});
    }
}

bool IsHiddenName(const fs::path& path) {
    return path.filename().string().starts_with('.');
}

}  // namespace

RemovalGuard::RemovalGuard(platform::Machine& machine) : machine_(machine) {
    const platform::PathMapper& paths = machine.paths();
    prefix_ = PlaceOf(machine.prefix().root());
    home_ = PlaceOf(platform::HomeFolder());
    const Place hostRoot = PlaceOf("/");
    std::vector<Place> kept = {hostRoot, prefix_, home_};  // nor any folder above one
    for (const auto& [letter, folder] : paths.LinkedDrives()) {
        const Place drive = PlaceOf(folder);
        kept.push_back(drive);
        if (IsPlace(drive, hostRoot)) {
            continue;  // the host's root is no storage of the installation
        }
        storage_.push_back(drive);
        if (drive.path != prefix_.path && platform::IsWithinHostFolder(drive.path, prefix_.path)) {
            prefixDrives_.push_back(drive);
        }
    }
    for (const std::string& folder : FolderTokenExpander(machine).TokenFolders()) {
        if (const auto host = paths.ToHost(folder)) {
            kept.push_back(PlaceOf(*host));
        }
    }
    // The folders a shell-folder link of a drive leads to, where wineboot links them to the host.
    for (const platform::ShellFolder& shellFolder : platform::ShellFolders()) {
        const std::string folder = machine.specialFolders().Path(shellFolder.csidl);
        const auto parsed = platform::ParseWindowsPath(folder);
        const auto drive = parsed ? paths.DriveFolder(parsed->drive) : std::nullopt;
        const auto link = parsed ? paths.ToHost(folder) : std::nullopt;
        struct stat status {};
        if (!drive || !link || IsPlace(PlaceOf(*drive), hostRoot) ||
            ::lstat(link->c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            continue;
        }
        const Place target = PlaceOf(*link);
        if (target.id && !IsPlace(target, hostRoot)) {
            storage_.push_back(target);
        }
    }
    for (const std::string& folder : {platform::ProgramFolder(), QuarantineFolder()}) {
        if (const auto host = paths.ToHost(folder)) {
            keptInside_.push_back(PlaceOf(*host));
        }
    }
    keptInside_.push_back(PlaceOf(platform::ExecutablePath().parent_path()));
    keptInside_.push_back(PlaceOf(fs::path(platform::UserSettingsFilePath()).parent_path()));
    keptInside_.push_back(PlaceOf(platform::RestorePointsFolder()));
    for (const std::vector<Place>* places : {&kept, &keptInside_}) {
        for (const Place& place : *places) {
            AddWithFoldersAbove(place, holders_);
        }
    }
}

RemovalCheck RemovalGuard::Check(std::string_view windowsPath) const {
    const auto parsed = platform::ParseWindowsPath(windowsPath);
    if (!parsed) {
        return {RemovalVerdict::Refused, std::nullopt};
    }
    const platform::PathMapper& paths = machine_.paths();
    const auto drive = paths.DriveFolder(parsed->drive);
    const auto host = paths.ToHost(windowsPath);
    std::error_code error;
    if (!drive || !host || !fs::is_directory(*drive, error)) {
        return {RemovalVerdict::Unmapped, std::nullopt};
    }
    const fs::path target = fs::canonical(*host, error);
    if (error) {
        return {RemovalVerdict::Absent, std::nullopt};  // nothing there, or a link to nothing
    }
    auto entry = platform::HeldEntry::Open(target);
    if (!entry) {
        return {RemovalVerdict::Refused, std::nullopt};  // "/" itself, or a link put in since
    }
    if (!entry->opened()) {
        return {RemovalVerdict::Absent, std::nullopt};
    }
    // The entry and the folders above it, as the walk that holds it met them.
    std::vector<Place> chain;
    for (const platform::PathStep& step : entry->folders()) {
        chain.push_back({step.path, step.id});
    }
    chain.push_back({entry->path(), platform::IdOf(*entry->opened())});

    bool stored = false;
    bool inPrefixDrive = false;
    for (std::size_t i = 0; i < chain.size(); ++i) {
        if (IsAnyOf(chain[i], keptInside_)) {
            return {RemovalVerdict::Refused, std::nullopt};
        }
        stored = stored || (i + 1 < chain.size() && IsAnyOf(chain[i], storage_));
        inPrefixDrive = inPrefixDrive || IsAnyOf(chain[i], prefixDrives_);
    }
    if (!stored || IsAnyOf(chain.back(), holders_)) {
        return {RemovalVerdict::Refused, std::nullopt};
    }
    // Below the prefix's own drives, neither the prefix folder nor the home folder stands in
    // the way, wherever the prefix lies (~/.wine among the home folder's hidden entries).
    for (std::size_t i = 0; i + 1 < chain.size() && !inPrefixDrive; ++i) {
        if (IsPlace(chain[i], prefix_) ||
            (IsPlace(chain[i], home_) && IsHiddenName(chain[i + 1].path))) {
            return {RemovalVerdict::Refused, std::nullopt};
        }
    }
    return {RemovalVerdict::Allowed, std::move(entry)};
}
