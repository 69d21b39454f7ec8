#include "e2e/drive_snapshot.h"

namespace e2e {

namespace fs = std::filesystem;

DriveSnapshot SnapshotOf(const fs::path& top) {
    DriveSnapshot snapshot;
    for (const auto& entry : fs::recursive_directory_iterator(top)) {
        const std::string relative = fs::relative(entry.path(), top).generic_string();
        if (entry.is_symlink()) {
            snapshot[relative + "@"] = 0;
        } else if (entry.is_directory()) {
            snapshot[relative + "/"] = 0;
        } else {
            snapshot[relative] = entry.file_size();
        }
    }
    return snapshot;
}

DriveSnapshot Minus(const DriveSnapshot& from, const DriveSnapshot& other) {
    DriveSnapshot rest;
    for (const auto& [path, size] : from) {
        const auto found = other.find(path);
        if (found == other.end() || found->second != size) {
            rest.emplace(path, size);
        }
    }
    return rest;
}

std::string SnapshotPath(const std::string& windowsPath, bool folder) {
    std::string relative = windowsPath.substr(windowsPath.find('\\') + 1);
    for (char& c : relative) {
        if (c == '\\') {
            c = '/';
        }
    }
    return folder ? relative + "/" : relative;
}

DriveSnapshot WithoutBelow(const DriveSnapshot& snapshot, const std::string& relativePath) {
    const std::string folder = relativePath.ends_with("/") ? relativePath : relativePath + "/";
    DriveSnapshot rest;
    for (const auto& [path, size] : snapshot) {
        if (path != relativePath && !path.starts_with(folder)) {
            rest.emplace(path, size);
        }
    }
    return rest;
}

}  // namespace e2e
