#include "platform/temporary_files.h"

#include <algorithm>
#include <cctype>

namespace fs = std::filesystem;

namespace platform {
namespace {

constexpr std::size_t kUniqueLetters = 6;

bool IsUniqueSuffix(std::string_view suffix) {
    return suffix.size() == kUniqueLetters && std::all_of(suffix.begin(), suffix.end(), [](char c) {
               return std::isalnum(static_cast<unsigned char>(c)) != 0;
           });
}

}  // namespace

std::string TemporaryFilePattern(const fs::path& target, std::string_view marker) {
    const std::string name = "." + target.filename().string() + std::string(marker) + "XXXXXX";
    return (target.parent_path() / name).string();
}

bool IsTemporaryFileName(std::string_view name, std::string_view marker, std::string_view ofFile) {
    if (!name.starts_with('.') || name.size() < 1 + marker.size() + kUniqueLetters ||
        !IsUniqueSuffix(name.substr(name.size() - kUniqueLetters))) {
        return false;
    }
    const std::string_view withMarker = name.substr(1, name.size() - 1 - kUniqueLetters);
    if (!withMarker.ends_with(marker)) {
        return false;
    }
    const std::string_view file = withMarker.substr(0, withMarker.size() - marker.size());
    return ofFile.empty() ? !file.empty() : file == ofFile;
}

void RemoveTemporaryFiles(const fs::path& folder, std::string_view marker,
                          std::string_view ofFile) {
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        std::error_code entryError;
        if (entry->symlink_status(entryError).type() == fs::file_type::regular &&
            IsTemporaryFileName(entry->path().filename().string(), marker, ofFile)) {
            fs::remove(entry->path(), entryError);
        }
    }
}

}  // namespace platform
