#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

// The hidden temporary files into which the program writes a file's new content, beside the file,
// before one rename puts the content in place: "." + the file's name + a marker + six letters or
// digits (mkstemp's). A process killed before the rename leaves its temporary file behind.
namespace platform {

// Files written through PendingFile (definition files, quarantine copies, restore points, ...).
inline constexpr std::string_view kPendingFileMarker = ".tmp-";
// Hives, the per-user settings and the autostart entry.
inline constexpr std::string_view kReplacedFileMarker = ".tollenwark-";
// A download's body.
inline constexpr std::string_view kDownloadMarker = ".download-";

// The mkstemp pattern of target's temporary file: ".<name><marker>XXXXXX" in target's folder.
std::string TemporaryFilePattern(const std::filesystem::path& target, std::string_view marker);

// Whether name is the name of a temporary file with this marker: of the file named ofFile, or of
// any file when ofFile is empty.
bool IsTemporaryFileName(std::string_view name, std::string_view marker,
                         std::string_view ofFile = {});

// Removes the regular files of folder whose names IsTemporaryFileName accepts; one that cannot be
// removed stays. Only for temporary files no running copy of the program is writing.
void RemoveTemporaryFiles(const std::filesystem::path& folder, std::string_view marker,
                          std::string_view ofFile = {});

}  // namespace platform
