#include "platform/folder_listings.h"

#include <dirent.h>

#include <cerrno>
#include <unordered_map>
#include <vector>

#include "platform/text_case.h"
#include "platform/windows_path.h"

namespace fs = std::filesystem;

namespace platform {

// One folder of the host, listed on first use. Names that differ only in letter case (a file
// system that tells them apart) share a lower-case name.
struct FolderListings::Folder {
    fs::path hostPath;
    bool listed = false;
    bool readable = false;  // when the listing failed, each name is asked of the host instead
    std::unordered_map<std::string, std::vector<std::string>> namesByLowerCase;
    std::unordered_map<std::string, std::unique_ptr<Folder>> subFolders;  // by real name

    explicit Folder(fs::path path) : hostPath(std::move(path)) {}

    // The entry's real name as FindEntryIgnoringCase picks it: the name itself when it is there,
    // else the first in byte order of those equal to it without case.
    std::optional<std::string_view> Find(const std::string& name) {
        if (!listed) {
            List();
        }
        if (!readable) {
            return EntryExists(hostPath / name) ? std::optional<std::string_view>(name)
                                                : std::nullopt;
        }
        const auto found = namesByLowerCase.find(ToLowerText(name));
        if (found == namesByLowerCase.end()) {
            return std::nullopt;
        }
        const std::string* best = &found->second.front();
        for (const std::string& candidate : found->second) {
            if (candidate == name) {
                return candidate;
            }
            best = candidate < *best ? &candidate : best;
        }
        return *best;
    }

    Folder& SubFolder(std::string_view name) {
        auto& folder = subFolders[std::string(name)];
        if (!folder) {
            folder = std::make_unique<Folder>(hostPath / name);
        }
        return *folder;
    }

  private:
    void List() {
        listed = true;
        DIR* folder = ::opendir(hostPath.c_str());
        if (folder == nullptr) {
            return;
        }
        for (;;) {
            errno = 0;  // readdir tells the end from a failure only by errno
            const dirent* entry = ::readdir(folder);
            if (entry == nullptr) {
                break;
            }
            const std::string_view name = entry->d_name;
            if (name != "." && name != "..") {
                namesByLowerCase[ToLowerText(name)].emplace_back(name);
            }
        }
        readable = errno == 0;
        ::closedir(folder);
        if (!readable) {
            namesByLowerCase.clear();
        }
    }
};

FolderListings::FolderListings(const PathMapper& paths) : paths_(paths) {}

FolderListings::~FolderListings() = default;

FolderListings::Folder* FolderListings::DriveRoot(char letter) {
    const auto known = drives_.find(letter);
    if (known != drives_.end()) {
        return known->second.get();
    }
    auto& root = drives_[letter];
    if (auto folder = paths_.DriveFolder(letter)) {
        root = std::make_unique<Folder>(std::move(*folder));
    }
    return root.get();
}

std::optional<fs::path> FolderListings::FindExisting(std::string_view windowsPath) {
    if (IsNetworkPath(windowsPath) || !HasDriveLetter(windowsPath)) {
        return paths_.FindExistingWithoutListings(windowsPath);  // the current folder's business
    }
    const auto parsed = ParseWindowsPath(windowsPath);
    Folder* folder = parsed ? DriveRoot(parsed->drive) : nullptr;
    if (folder == nullptr) {
        return std::nullopt;
    }
    const std::vector<std::string>& components = parsed->components;
    for (std::size_t index = 0; index < components.size(); ++index) {
        const auto name = folder->Find(components[index]);
        if (!name) {
            return std::nullopt;
        }
        if (index + 1 == components.size()) {
            return folder->hostPath / *name;
        }
        folder = &folder->SubFolder(*name);
    }
    return EntryExists(folder->hostPath) ? std::optional(folder->hostPath)
                                         : std::nullopt;  // a drive
}

ScopedFolderListings::ScopedFolderListings(const PathMapper& paths)
    : paths_(paths), listings_(paths), previous_(paths.listings_) {
    paths_.listings_ = &listings_;
}

ScopedFolderListings::~ScopedFolderListings() {
    paths_.listings_ = previous_;
}

}  // namespace platform
