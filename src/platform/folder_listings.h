#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/path_mapper.h"

// The machine's folders as one pass that changes nothing sees them: each folder on the way is
// listed once, its entries filed by their lower-case names, so that finding a path costs a hash
// look-up per component instead of system calls and a listing per component. What it shows is
// the disk as each folder stood when it was first listed.
namespace platform {

class FolderListings {
  public:
    explicit FolderListings(const PathMapper& paths);
    ~FolderListings();
    FolderListings(const FolderListings&) = delete;
    FolderListings& operator=(const FolderListings&) = delete;

    // The host path of the entry a Windows path names, each component matched as
    // PathMapper::ToHost matches it; nothing when the entry is not there. A path without a drive
    // letter is left to the mapper.
    std::optional<std::filesystem::path> FindExisting(std::string_view windowsPath);

  private:
    struct Folder;
    Folder* DriveRoot(char letter);

    const PathMapper& paths_;
    std::map<char, std::unique_ptr<Folder>> drives_;  // nullptr: no such drive
};

// Gives the mapper's look-ups of existing entries (PathMapper::FindExisting) listings of their
// own for the scope's life. Open one only around work that writes nothing to the disk.
class ScopedFolderListings {
  public:
    explicit ScopedFolderListings(const PathMapper& paths);
    ~ScopedFolderListings();
    ScopedFolderListings(const ScopedFolderListings&) = delete;
    ScopedFolderListings& operator=(const ScopedFolderListings&) = delete;

  private:
    const PathMapper& paths_;
    FolderListings listings_;
    FolderListings* previous_;
};

}  // namespace platform
