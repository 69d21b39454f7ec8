#include "platform/path_mapper.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <system_error>

#include "platform/folder_listings.h"
#include "platform/text_case.h"
#include "platform/windows_path.h"

namespace fs = std::filesystem;

namespace platform {
namespace {

fs::path ResolveComponents(fs::path folder, const std::vector<std::string>& components) {
    bool searching = true;
    for (const auto& component : components) {
        if (searching) {
            if (auto found = FindEntryIgnoringCase(folder, component)) {
                folder /= *found;
                continue;
            }
            searching = false;  // nothing below a missing component can exist
        }
        folder /= component;
    }
    return folder;
}

// The path with its folder's links resolved, its own last component kept as it is named.
fs::path CanonicalKeepingName(const fs::path& path) {
    std::error_code error;
    const fs::path absolute = fs::absolute(path, error).lexically_normal();
    if (!absolute.has_filename() || absolute.parent_path() == absolute) {
        return fs::weakly_canonical(absolute, error);
    }
    return fs::weakly_canonical(absolute.parent_path(), error) / absolute.filename();
}

// The folder a drive link points at, followed through every link on the way; a link to nothing (a
// CD-ROM drive without a disc) still gives the folder it names.
std::optional<fs::path> LinkTarget(const fs::path& link) {
    std::error_code error;
    fs::path target = link;
    if (fs::is_symlink(link, error)) {
        target = fs::read_symlink(link, error);
        if (error) {
            return std::nullopt;
        }
        if (target.is_relative()) {
            target = link.parent_path() / target;
        }
    }
    fs::path folder = fs::weakly_canonical(target, error);
    if (error) {
        return std::nullopt;
    }
    return folder;
}

// What tells a drive link from any other: the file it is, its last change and where it points.
// Empty when there is no such entry.
std::string LinkIdentity(const fs::path& link) {
    struct stat status {};
    if (::lstat(link.c_str(), &status) != 0) {
        return {};
    }
    std::string identity = std::to_string(status.st_dev) + ':' + std::to_string(status.st_ino) +
                           ':' + std::to_string(status.st_ctim.tv_sec) + '.' +
                           std::to_string(status.st_ctim.tv_nsec) + ':';
    if (S_ISLNK(status.st_mode)) {
        std::array<char, 4096> target{};
        const ssize_t length = ::readlink(link.c_str(), target.data(), target.size());
        if (length < 0) {
            return {};
        }
        identity.append(target.data(), static_cast<std::size_t>(length));
    }
    return identity;
}

std::size_t ComponentCount(const fs::path& path) {
    return static_cast<std::size_t>(std::distance(path.begin(), path.end()));
}

WindowsPath WindowsPathBelow(char drive, const fs::path& folder, const fs::path& path) {
    WindowsPath result{drive, {}};
    for (const auto& component : path.lexically_relative(folder)) {
        if (!component.empty() && component != ".") {
            result.components.push_back(component.string());
        }
    }
    return result;
}

}  // namespace

bool EntryExists(const fs::path& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0;
}

bool IsWithinHostFolder(const fs::path& path, const fs::path& folder) {
    auto pathIt = path.begin();
    for (auto folderIt = folder.begin(); folderIt != folder.end(); ++folderIt, ++pathIt) {
        if (folderIt->empty()) {
            continue;  // a trailing separator of folder
        }
        if (pathIt == path.end() || *pathIt != *folderIt) {
            return false;
        }
    }
    return true;
}

std::optional<std::string> FindEntryIgnoringCase(const fs::path& folder, const std::string& name) {
    if (EntryExists(folder / name)) {
        return name;
    }
    std::error_code error;
    std::optional<std::string> best;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::string candidate = it->path().filename().string();
        if (EqualsIgnoringCase(candidate, name) && (!best || candidate < *best)) {
            best = std::move(candidate);
        }
    }
    return best;
}

std::string ZDrivePath(const fs::path& hostPath) {
    return FormatWindowsPath(WindowsPathBelow('Z', "/", hostPath.lexically_normal()));
}

PathMapper::PathMapper(fs::path dosdevices) : dosdevices_(std::move(dosdevices)) {}

std::optional<fs::path> PathMapper::DriveFolder(char letter) const {
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
    if (lower == 'z') {
        return fs::path("/");
    }
    // The link is nearly always named in lower case, and its identity shows whether it is there.
    std::optional<std::string> name = std::string{lower, ':'};
    std::string identity = LinkIdentity(dosdevices_ / *name);
    if (identity.empty()) {
        name = FindEntryIgnoringCase(dosdevices_, *name);
        if (!name) {
            return std::nullopt;
        }
        identity = LinkIdentity(dosdevices_ / *name);
    }
    const fs::path link = dosdevices_ / *name;
    const auto followed = followedLinks_.find(*name);
    if (!identity.empty() && followed != followedLinks_.end() &&
        followed->second.identity == identity) {
        return followed->second.folder;
    }
    auto folder = LinkTarget(link);
    if (folder && !identity.empty()) {
        followedLinks_[*name] = {std::move(identity), *folder};
    }
    return folder;
}

std::vector<std::pair<char, fs::path>> PathMapper::LinkedDrives() const {
    std::vector<std::pair<char, fs::path>> drives;
    std::error_code error;
    for (fs::directory_iterator it(dosdevices_, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.size() != 2 || name[1] != ':' ||
            !std::isalpha(static_cast<unsigned char>(name[0]))) {
            continue;  // device links such as "com1" and the raw "c::" entries
        }
        if (auto folder = LinkTarget(it->path())) {
            const char letter =
                static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
            drives.emplace_back(letter, std::move(*folder));
        }
    }
    std::sort(drives.begin(), drives.end());
    drives.erase(std::unique(drives.begin(), drives.end(),
                             [](const auto& a, const auto& b) { return a.first == b.first; }),
                 drives.end());
    return drives;
}

std::optional<fs::path> PathMapper::ToHost(std::string_view windowsPath) const {
    std::string text(windowsPath);
    if (IsNetworkPath(text)) {
        return std::nullopt;
    }
    if (!HasDriveLetter(text)) {
        std::error_code error;
        const std::string current = ToWindows(fs::current_path(error));
        text = IsRootedWithoutDrive(text) ? current.substr(0, 2) + text : current + '\\' + text;
    }
    const auto parsed = ParseWindowsPath(text);
    if (!parsed) {
        return std::nullopt;
    }
    const auto folder = DriveFolder(parsed->drive);
    if (!folder) {
        return std::nullopt;
    }
    // Most paths are written as their files are named: then one look-up finds the whole path, and
    // it is what matching each component would give, as an exact match wins.
    fs::path exact = *folder;
    for (const auto& component : parsed->components) {
        exact /= component;
    }
    if (EntryExists(exact)) {
        return exact;
    }
    return ResolveComponents(*folder, parsed->components);
}

std::optional<fs::path> PathMapper::FindExisting(std::string_view windowsPath) const {
    return listings_ ? listings_->FindExisting(windowsPath)
                     : FindExistingWithoutListings(windowsPath);
}

std::optional<fs::path> PathMapper::FindExistingWithoutListings(
    std::string_view windowsPath) const {
    auto host = ToHost(windowsPath);
    return host && EntryExists(*host) ? host : std::nullopt;
}

std::string PathMapper::ToWindows(const fs::path& hostPath) const {
    const fs::path path = CanonicalKeepingName(hostPath);
    char bestDrive = 'Z';
    fs::path bestFolder = "/";
    for (const auto& [letter, folder] : LinkedDrives()) {
        if (letter != 'Z' && IsWithinHostFolder(path, folder) &&
            ComponentCount(folder) > ComponentCount(bestFolder)) {
            bestDrive = letter;
            bestFolder = folder;
        }
    }
    return FormatWindowsPath(WindowsPathBelow(bestDrive, bestFolder, path));
}

}  // namespace platform
