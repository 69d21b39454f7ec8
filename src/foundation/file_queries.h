#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace forms {
class Form;
}

// Questions about the machine's files and folders, by Windows path. They answer false, 0 or ""
// when something fails.

// Whether a directory search finds an ordinary file (not hidden, not system, not a folder) whose
// name equals the path's last component without regard to case; a wildcard never matches.
bool FileExists(std::string_view path);

bool FolderExists(std::string_view path);

// The file's size in bytes; 0 when it cannot be read and when the size does not fit in 31 bits.
std::int32_t GetFileSizeBytes(std::string_view path);

// Program files larger than this are not searched for their version information.
inline constexpr std::size_t kVersionBlockReadLimit = 64 * 1024 * 1024;

// The "CompanyName" of the file's version information (see GetFileCompanyNameFromBytes); "" when
// the file has none or cannot be read: a FIFO, socket or device is never opened, and a file over
// kVersionBlockReadLimit bytes is not read.
std::string GetFileCompanyName(std::string_view path);

// The Windows system folder, without a trailing "\".
std::string GetSystemDir();

// Puts the window above all windows that are not topmost, or back among them.
void SetTopMost(forms::Form& window, bool on);
