#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Windows paths <-> host paths through a prefix's drive links (dosdevices/c: -> ../drive_c).
namespace platform {

class FolderListings;

// Not for use from several threads at once: it keeps the drive links it has followed.
class PathMapper {
  public:
    explicit PathMapper(std::filesystem::path dosdevices);

    // The host path of a Windows path. Each component is matched without letter case, as Windows
    // and Wine do, an exact match winning; components from the first missing one on are kept as
    // written, so the result also names files about to be created. A relative path starts in the
    // process' current folder. Nothing when the path names no drive of this machine.
    std::optional<std::filesystem::path> ToHost(std::string_view windowsPath) const;

    // The host path of the entry a Windows path names, found as ToHost finds it; nothing when it
    // is not there. Inside a ScopedFolderListings each folder on the way is listed once for the
    // scope's life instead of being asked again.
    std::optional<std::filesystem::path> FindExisting(std::string_view windowsPath) const;

    // The Windows path of a host path: through the drive whose folder holds it most closely, else
    // through Z:, which is always the host's "/".
    std::string ToWindows(const std::filesystem::path& hostPath) const;

    // The host folder a drive letter stands for (the target of its link, which may not exist);
    // nothing when the prefix has no such drive. Z: is always "/".
    std::optional<std::filesystem::path> DriveFolder(char letter) const;

    // Every drive letter with a link in the prefix (Z: only when linked), in letter order, with
    // the host folder it stands for.
    std::vector<std::pair<char, std::filesystem::path>> LinkedDrives() const;

    const std::filesystem::path& dosdevices() const { return dosdevices_; }

  private:
    friend class FolderListings;
    friend class ScopedFolderListings;

    std::optional<std::filesystem::path> FindExistingWithoutListings(
        std::string_view windowsPath) const;

    // A drive link as last followed: while it is the same file with the same text, the folder it
    // led to stands (a scan asks for a drive at every look-up, and following a link through every
    // folder on the way costs a dozen system calls).
    struct FollowedLink {
        std::string identity;
        std::filesystem::path folder;
    };

    std::filesystem::path dosdevices_;
    mutable std::map<std::string, FollowedLink> followedLinks_;  // by link name
    mutable FolderListings* listings_ = nullptr;                 // see ScopedFolderListings
};

// Whether anything, a link included, stands at the host path.
bool EntryExists(const std::filesystem::path& path);

// Whether a host path is the folder itself or lies below it, name by name as written (no links
// followed).
bool IsWithinHostFolder(const std::filesystem::path& path, const std::filesystem::path& folder);

// A host path as a Windows path through Z:, the host's "/" ("/opt/x" -> "Z:\opt\x").
std::string ZDrivePath(const std::filesystem::path& hostPath);

// The name of the entry of folder that equals name without letter case (an exact match first; of
// several others the first in byte order); nothing when there is none.
std::optional<std::string> FindEntryIgnoringCase(const std::filesystem::path& folder,
                                                 const std::string& name);

}  // namespace platform
