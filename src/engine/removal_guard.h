#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

#include "platform/machine.h"

// The places a removal never takes, whatever a definition names: a drive's root; the folder of a
// folder token ("[windir]", "[sendto]", ...) or a folder that holds one; anything on a drive that
// stands for the host's root ("/", as Z: does in every Wine prefix); the program's own folders
// (program folder, quarantine, settings, restore points) and the user's home folder, or a folder
// that holds one of them. Places are compared as the host sees them, links followed, so that no
// other spelling of a place (another letter case, "..", a drive or folder linked to it) gets past.
class RemovalGuard {
  public:
    // Gathers the places once; a removal run keeps one guard for all its rows.
    explicit RemovalGuard(platform::Machine& machine = platform::CurrentMachine());

    // Whether a removal may copy and delete the file or folder at the Windows path. A path that
    // names no drive (relative, a network path) is refused: the host would find it anywhere. A
    // path on a drive this machine does not have names nothing, and is not refused.
    bool MayRemove(std::string_view windowsPath) const;

  private:
    const platform::PathMapper& paths_;
    // Host paths, links followed: none of them, nor a folder above one, may go.
    std::vector<std::filesystem::path> keptFolders_;
};
