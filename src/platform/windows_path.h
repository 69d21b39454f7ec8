#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Windows path text taken apart and put together, without touching any file.
namespace platform {

struct WindowsPath {
    char drive = 'C';                     // upper-case drive letter
    std::vector<std::string> components;  // below the drive root; "." and ".." already applied
};

// "X:\a\b", "X:/a/b", "x:a" (taken from the drive root) and the "\\?\" and "\\.\" forms of these;
// separators may repeat. Nothing for text that names no drive path: empty or relative text, network
// (UNC) paths, and text holding a NUL, which would cut the path short in the host's calls.
std::optional<WindowsPath> ParseWindowsPath(std::string_view text);

// Whether text starts with a drive letter and a colon, or is rooted ("\a"); other text is relative.
bool HasDriveLetter(std::string_view text);
bool IsRootedWithoutDrive(std::string_view text);
// "\\server\share\..." (and no drive path behind a "\\?\" prefix).
bool IsNetworkPath(std::string_view text);

// "C:\a\b"; the drive root is "C:\".
std::string FormatWindowsPath(const WindowsPath& path);

}  // namespace platform
