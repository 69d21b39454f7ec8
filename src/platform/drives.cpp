#include "platform/drives.h"

#include <cctype>
#include <optional>
#include <string>
#include <system_error>

#include "platform/reg_text.h"
#include "platform/text_case.h"

namespace platform {
namespace {

constexpr const char* kWineDrivesKey = "Software\\Wine\\Drives";

std::optional<std::string> StoredTypeName(Registry& registry, char letter) {
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
    for (const auto& name : ReadRegValueNames(registry, HKEY_LOCAL_MACHINE, kWineDrivesKey)) {
        if (EqualsIgnoringCase(name, std::string{lower, ':'})) {
            return ReadRegText(registry, HKEY_LOCAL_MACHINE, kWineDrivesKey, name);
        }
    }
    return std::nullopt;
}

}  // namespace

DriveType DriveTypeFromWineName(std::string_view name) {
    const std::string lower = ToLowerText(name);
    if (lower == "hd") {
        return DriveType::Fixed;
    }
    if (lower == "network") {
        return DriveType::Network;
    }
    if (lower == "floppy") {
        return DriveType::Removable;
    }
    if (lower == "cdrom") {
        return DriveType::CdRom;
    }
    if (lower == "ramdisk") {
        return DriveType::RamDisk;
    }
    return DriveType::Unknown;
}

std::vector<Drive> ListDrives(const PathMapper& paths, Registry& registry) {
    std::vector<Drive> drives;
    for (auto& [letter, folder] : paths.LinkedDrives()) {
        Drive drive;
        drive.letter = letter;
        const auto typeName = StoredTypeName(registry, letter);
        drive.type = typeName ? DriveTypeFromWineName(*typeName) : DriveType::Fixed;
        std::error_code error;
        drive.ready = std::filesystem::is_directory(folder, error);
        drive.folder = std::move(folder);
        drives.push_back(std::move(drive));
    }
    return drives;
}

}  // namespace platform
