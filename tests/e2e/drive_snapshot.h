#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

// The files and folders below a folder with their sizes: two snapshots taken before and after a
// run tell what the run took away and what it left.
namespace e2e {

// Relative path ("windows/dialmore.ini"; a folder ends in "/") -> size in bytes (0 for folders).
using DriveSnapshot = std::map<std::string, std::uintmax_t>;

DriveSnapshot SnapshotOf(const std::filesystem::path& top);

// The entries of `from` that `other` lacks or holds with another size.
DriveSnapshot Minus(const DriveSnapshot& from, const DriveSnapshot& other);

// The relative path a Windows path on drive C: has in a snapshot of drive_c ("C:\A\b" -> "A/b").
std::string SnapshotPath(const std::string& windowsPath, bool folder = false);

// The snapshot without everything at or below the given relative paths.
DriveSnapshot WithoutBelow(const DriveSnapshot& snapshot, const std::string& relativePath);

}  // namespace e2e
