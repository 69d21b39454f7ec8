#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

#include "platform/path_mapper.h"
#include "platform/registry.h"

// The drives of the prefix, from its drive links and the types Wine keeps for them.
namespace platform {

// The drive types of a file-system object's drive collection, with its numbers.
enum class DriveType { Unknown = 0, Removable = 1, Fixed = 2, Network = 3, CdRom = 4, RamDisk = 5 };

struct Drive {
    char letter = 'C';  // upper case
    DriveType type = DriveType::Fixed;
    bool ready = false;  // its link leads to a folder (an empty CD-ROM drive's leads nowhere)
    std::filesystem::path folder;
};

// Every linked drive in letter order. Types come from HKLM\Software\Wine\Drives ("hd", "network",
// "floppy", "cdrom", "ramdisk"); a drive without a stored type is fixed.
std::vector<Drive> ListDrives(const PathMapper& paths, Registry& registry);

// The type a Wine drive-type name stands for; Unknown for a name Wine does not use.
DriveType DriveTypeFromWineName(std::string_view name);

}  // namespace platform
