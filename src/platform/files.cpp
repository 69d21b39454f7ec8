#include "platform/files.h"

#include <sys/stat.h>

#include <algorithm>
#include <system_error>

#include "platform/host_files.h"
#include "platform/text_case.h"
#include "platform/text_encoding.h"
#include "platform/text_lines.h"

namespace fs = std::filesystem;

namespace platform {
namespace {

bool IsFoundBySearch(const fs::path& hostPath, SearchScope scope) {
    const auto attributes = ReadFileAttributes(hostPath);
    return attributes && !attributes->directory &&
           (scope == SearchScope::WithHiddenAndSystem ||
            (!attributes->hidden && !attributes->system));
}

bool HasWildcard(std::string_view name) {
    return name.find_first_of("*?") != std::string_view::npos;
}

bool MatchesFolded(std::string_view name, std::string_view pattern) {
    // Iterative glob: remember the last "*" and retry from one character further on a mismatch.
    std::size_t n = 0, p = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

std::vector<std::string> SortedEntryNames(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool IsSameEntry(const fs::path& a, const fs::path& b) {
    struct stat first {};
    struct stat second {};
    return ::lstat(a.c_str(), &first) == 0 && ::lstat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

}  // namespace

std::string_view LastPathComponent(std::string_view path) {
    const std::size_t separator = path.find_last_of("\\/");
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

bool MatchesWildcard(std::string_view name, std::string_view pattern) {
    return MatchesFolded(ToLowerText(name), ToLowerText(pattern));
}

std::optional<std::string> Files::FindFile(std::string_view path, SearchScope scope) const {
    const std::string_view name = LastPathComponent(path);
    if (name.empty()) {
        return std::nullopt;
    }
    if (!HasWildcard(name)) {
        const auto host = paths_.FindExisting(path);
        if (!host || !IsFoundBySearch(*host, scope)) {
            return std::nullopt;
        }
        return host->filename().string();
    }
    const std::string folder(path.substr(0, path.size() - name.size()));
    const auto hostFolder = paths_.ToHost(folder.empty() ? "." : folder);
    if (!hostFolder) {
        return std::nullopt;
    }
    for (auto& entry : SortedEntryNames(*hostFolder)) {
        if (MatchesWildcard(entry, name) && IsFoundBySearch(*hostFolder / entry, scope)) {
            return entry;
        }
    }
    return std::nullopt;
}

std::optional<FileAttributes> Files::Attributes(std::string_view path) const {
    const auto host = paths_.ToHost(path);
    return host ? ReadFileAttributes(*host) : std::nullopt;
}

long Files::ReadBytes(std::string_view path, std::string* bytes, std::size_t limit) const {
    bytes->clear();
    const auto host = paths_.ToHost(path);
    return host ? ReadHostFile(*host, bytes, limit) : ERROR_PATH_NOT_FOUND;
}

long Files::ReadTextLines(std::string_view path, std::vector<std::string>* lines,
                          std::size_t limit) const {
    lines->clear();
    std::string bytes;
    if (const long status = ReadBytes(path, &bytes, limit)) {
        return status;
    }
    const std::vector<std::string_view> views = SplitTextLineViews(bytes);
    lines->reserve(views.size());
    for (const std::string_view line : views) {
        lines->push_back(Windows1252ToUtf8(line));
    }
    return ERROR_SUCCESS;
}

long Files::AppendLine(std::string_view path, std::string_view text) const {
    const auto host = paths_.ToHost(path);
    return host ? AppendToHostFile(*host, Utf8ToWindows1252(text) + "\r\n") : ERROR_PATH_NOT_FOUND;
}

long Files::ReplaceBytes(std::string_view path, std::string_view bytes) const {
    const auto host = paths_.ToHost(path);
    return host ? ReplaceHostFile(*host, bytes) : ERROR_PATH_NOT_FOUND;
}

long Files::ReplacePieces(std::string_view path, std::span<const std::string_view> pieces) const {
    const auto host = paths_.ToHost(path);
    return host ? ReplaceHostFile(*host, pieces) : ERROR_PATH_NOT_FOUND;
}

long Files::ReplaceTextLines(std::string_view path, const std::vector<std::string>& lines) const {
    return ReplaceBytes(path, Utf8ToWindows1252(JoinTextLines(lines)));
}

long Files::Delete(std::string_view path) const {
    const auto host = paths_.ToHost(path);
    return host ? DeleteHostFile(*host, FilesInUse::Snapshot(paths_.dosdevices().parent_path()),
                                 false)
                : ERROR_PATH_NOT_FOUND;
}

long Files::Rename(std::string_view from, std::string_view to) const {
    const auto hostFrom = paths_.ToHost(from);
    auto hostTo = paths_.ToHost(to);
    if (!hostFrom || !hostTo) {
        return ERROR_PATH_NOT_FOUND;
    }
    if (IsSameEntry(*hostFrom, *hostTo)) {
        // Only the letter case changes: give the file the name as written.
        hostTo = hostTo->parent_path() / std::string(LastPathComponent(to));
    }
    return MoveHostFile(*hostFrom, *hostTo);
}

long Files::Copy(std::string_view from, std::string_view to) const {
    const auto hostFrom = paths_.ToHost(from);
    const auto hostTo = paths_.ToHost(to);
    return hostFrom && hostTo ? CopyHostFile(*hostFrom, *hostTo) : ERROR_PATH_NOT_FOUND;
}

long Files::Size(std::string_view path, std::uint64_t* size) const {
    *size = 0;
    const auto host = paths_.ToHost(path);
    return host ? HostFileSize(*host, size) : ERROR_PATH_NOT_FOUND;
}

}  // namespace platform
