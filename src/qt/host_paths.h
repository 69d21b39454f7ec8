#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// The program speaks Windows paths; the desktop services of the front end take host paths.
namespace frontend {

// The host path of a Windows path ("C:\x", "Z:\opt\x") through the protected machine's drives; an
// absolute host path ("/opt/x") stays as it is. Nothing for any other text.
std::optional<std::filesystem::path> HostPathOf(std::string_view path);

// Whether the text names a path with a drive letter ("C:\...", "c:/...").
bool IsWindowsPath(std::string_view text);

// The Windows path of a host path, through the protected machine's drives.
std::string WindowsPathOf(const std::filesystem::path& hostPath);

}  // namespace frontend
