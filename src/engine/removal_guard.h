#pragma once

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/held_entry.h"
#include "platform/machine.h"

// What a removal may take. It is decided on the entry the removal acts on, after every link of its
// path is followed, so that no other spelling of a place (another letter case, "..", another drive
// letter, a link to it) gets past. A removal takes only what lies inside the installation's own
// storage: the folders of its drives (every drive but one that stands for the host's root, as Z:
// does), and the host folders that the prefix's shell-folder links lead to (a fresh prefix links
// Documents, Desktop and the like into the home folder). Even there it never takes:
// - a drive's folder, the folder of a folder token ("[windir]", "[sendto]", ...), or a folder that
//   holds one of them;
// - the program's own folders (program folder, quarantine, settings, restore points), anything
//   inside them, or a folder that holds one;
// - the prefix's own files outside its drives (hives, dosdevices/) or the prefix folder itself;
// - the home folder itself or its hidden entries (names that begin with "."), which are the host's.
// The entry is then held (platform/held_entry.h), so that what the removal copies and deletes is
// the entry that was checked.

enum class RemovalVerdict {
    Allowed,   // the entry is held for the removal to act on
    Absent,    // nothing stands there: nothing to act on
    Refused,   // a place the removal never takes, or one that changed while it was checked
    Unmapped,  // the path's drive is gone, so its entry can no longer be found
};

struct RemovalCheck {
    RemovalVerdict verdict = RemovalVerdict::Refused;
    std::optional<platform::HeldEntry> entry;  // when allowed
};

class RemovalGuard {
  public:
    // Gathers the places once; a removal run keeps one guard for all its rows.
    explicit RemovalGuard(platform::Machine& machine = platform::CurrentMachine());

    // The verdict on the file or folder a Windows path names. A path that names no drive (relative,
    // a network path) is refused: the host would find it anywhere.
    RemovalCheck Check(std::string_view windowsPath) const;

    // A place as the host finds it: its path, links followed, and its identity when it exists.
    struct Place {
        std::filesystem::path path;
        std::optional<platform::EntryId> id;
    };

  private:
    platform::Machine& machine_;
    std::vector<Place> storage_;       // what the removal may take from, below these
    std::vector<Place> prefixDrives_;  // drive folders inside the prefix folder
    std::vector<Place> keptInside_;    // never these nor anything inside them
    std::vector<Place> holders_;       // never these: kept places and every folder above one
    Place prefix_;
    Place home_;
};
