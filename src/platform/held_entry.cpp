#include "platform/held_entry.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <utility>

#include "platform/file_attributes.h"
#include "platform/file_errors.h"
#include "platform/host_files.h"
#include "platform/pending_file.h"

namespace fs = std::filesystem;

namespace platform {
namespace {

constexpr long ERROR_INVALID_NAME = 123;
constexpr long ERROR_FILENAME_EXCED_RANGE = 206;
// Deeper folders stay where they are: each level holds a descriptor or two while it is walked.
constexpr int kMaxFolderDepth = 256;

long LastError() {
    return Win32ErrorFromErrno(errno);
}

// A sub-folder of an open folder, opened for listing without following a link.
Descriptor OpenSubFolder(int folder, const char* name) {
    return Descriptor(::openat(folder, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

// A folder of an absolute path, reached from "/" without following a link; each folder on the way
// goes to steps when it is given.
Descriptor WalkToFolder(const fs::path& folder, std::vector<PathStep>* steps) {
    Descriptor current(::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC));
    struct stat status {};
    if (!current.valid() || ::fstat(current.get(), &status) != 0) {
        return {};
    }
    fs::path walked = "/";
    if (steps) {
        steps->push_back({walked, IdOf(status)});
    }
    for (const fs::path& component : folder.relative_path()) {
        if (component.empty()) {
            continue;  // a trailing separator
        }
        Descriptor next(::openat(current.get(), component.c_str(),
                                 O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (!next.valid() || ::fstat(next.get(), &status) != 0 || !S_ISDIR(status.st_mode)) {
            return {};
        }
        walked /= component;
        if (steps) {
            steps->push_back({walked, IdOf(status)});
        }
        current = std::move(next);
    }
    return current;
}

// The names in an open folder, "." and ".." left out; false when it cannot be listed.
bool ListNames(int folder, std::vector<std::string>* names) {
    const int listing = ::dup(folder);
    DIR* directory = listing >= 0 ? ::fdopendir(listing) : nullptr;
    if (directory == nullptr) {
        if (listing >= 0) {
            ::close(listing);
        }
        return false;
    }
    ::rewinddir(directory);
    errno = 0;
    while (const dirent* entry = ::readdir(directory)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..") {
            names->emplace_back(name);
        }
    }
    const bool listed = errno == 0;
    ::closedir(directory);
    return listed;
}

// The status of the name in an open folder, a link not followed.
std::optional<struct stat> StatusAt(int folder, const char* name) {
    struct stat status {};
    if (::fstatat(folder, name, &status, AT_SYMLINK_NOFOLLOW) != 0) {
        return std::nullopt;
    }
    return status;
}

// The held folder itself, opened for listing, while it is still the folder that was opened.
Descriptor OpenHeldFolder(const HeldEntry& entry) {
    const auto now = entry.StillTheSame();
    if (!now || !S_ISDIR(now->st_mode)) {
        return {};
    }
    Descriptor folder = OpenSubFolder(entry.folder(), entry.name().c_str());
    struct stat status {};
    if (!folder.valid() || ::fstat(folder.get(), &status) != 0 || IdOf(status) != IdOf(*now)) {
        return {};
    }
    return folder;
}

// Keeps the first failure of a run of steps that each go on regardless.
void Note(long& first, long status) {
    if (first == ERROR_SUCCESS) {
        first = status;
    }
}

// Visits the entries of an open folder, no deeper than a removal goes: visit(name, status, sub)
// gets each one's status (a link not followed) and, for a folder, that folder opened (-1 for
// anything else). Stops at the first failure, or with goOn visits every entry and returns the
// first failure.
template <typename Visit>
long ForEachEntry(int folder, int depth, bool goOn, Visit visit) {
    if (depth > kMaxFolderDepth) {
        return ERROR_FILENAME_EXCED_RANGE;
    }
    std::vector<std::string> names;
    long failure = ListNames(folder, &names) ? ERROR_SUCCESS : LastError();
    for (const std::string& name : names) {
        if (failure != ERROR_SUCCESS && !goOn) {
            break;
        }
        const auto status = StatusAt(folder, name.c_str());
        Descriptor sub;
        if (status && S_ISDIR(status->st_mode)) {
            sub = OpenSubFolder(folder, name.c_str());
        }
        if (!status || (S_ISDIR(status->st_mode) && !sub.valid())) {
            Note(failure, LastError());
            continue;
        }
        Note(failure, visit(name, *status, sub.get()));
    }
    return failure;
}

long CheckTree(int folder, const FilesInUse& inUse, int depth) {
    return ForEachEntry(
        folder, depth, false, [&](const std::string&, const struct stat& status, int sub) -> long {
            if (sub >= 0) {
                return CheckTree(sub, inUse, depth + 1);
            }
            if (S_ISREG(status.st_mode)) {
                return inUse.Contains(status.st_dev, status.st_ino) ? ERROR_SHARING_VIOLATION
                                                                    : ERROR_SUCCESS;
            }
            return S_ISLNK(status.st_mode) ? ERROR_SUCCESS : ERROR_BAD_FILE_TYPE;
        });
}

long CopyFileAt(int fromFolder, const char* name, int toFolder) {
    Descriptor source;
    struct stat status {};
    if (const long opened = OpenRegularFile(fromFolder, name, false, &source, &status)) {
        return opened;
    }
    Descriptor target(
        ::openat(toFolder, name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!target.valid()) {
        return LastError();
    }
    return CopyOpenFile(source.get(), status, target.get());
}

long CopyLinkAt(int fromFolder, const char* name, int toFolder) {
    std::array<char, 4096> target{};
    const ssize_t length = ::readlinkat(fromFolder, name, target.data(), target.size() - 1);
    if (length < 0) {
        return LastError();
    }
    target[static_cast<std::size_t>(length)] = '\0';
    return ::symlinkat(target.data(), toFolder, name) == 0 ? ERROR_SUCCESS : LastError();
}

long CopyTree(int from, int to, int depth) {
    return ForEachEntry(from, depth, false,
                        [&](const std::string& name, const struct stat& status, int sub) -> long {
                            if (S_ISLNK(status.st_mode)) {
                                return CopyLinkAt(from, name.c_str(), to);
                            }
                            if (sub < 0) {
                                return CopyFileAt(from, name.c_str(), to);
                            }
                            if (::mkdirat(to, name.c_str(), 0777) != 0) {
                                return LastError();
                            }
                            const Descriptor toSub = OpenSubFolder(to, name.c_str());
                            return toSub.valid() ? CopyTree(sub, toSub.get(), depth + 1)
                                                 : LastError();
                        });
}

long DeleteTree(int folder, const FilesInUse& inUse, int depth) {
    struct stat own {};
    if (depth <= kMaxFolderDepth && ::fstat(folder, &own) == 0 && IsReadOnlyMode(own.st_mode)) {
        ::fchmod(folder, own.st_mode | S_IWUSR);  // an account other than root needs it
    }
    return ForEachEntry(folder, depth, true,
                        [&](const std::string& name, const struct stat& status, int sub) -> long {
                            if (sub < 0) {
                                return DeleteFileAt(folder, name.c_str(), status, inUse, true);
                            }
                            if (const long emptied = DeleteTree(sub, inUse, depth + 1)) {
                                return emptied;
                            }
                            return ::unlinkat(folder, name.c_str(), AT_REMOVEDIR) == 0
                                       ? ERROR_SUCCESS
                                       : LastError();
                        });
}

}  // namespace

Descriptor::~Descriptor() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
    }
}

Descriptor::Descriptor(Descriptor&& other) noexcept
    : descriptor_(std::exchange(other.descriptor_, -1)) {}

Descriptor& Descriptor::operator=(Descriptor&& other) noexcept {
    if (this != &other) {
        if (descriptor_ >= 0) {
            ::close(descriptor_);
        }
        descriptor_ = std::exchange(other.descriptor_, -1);
    }
    return *this;
}

EntryId IdOf(const struct stat& status) {
    return {status.st_dev, status.st_ino};
}

long OpenRegularFile(int folder, const char* name, bool followLink, Descriptor* file,
                     struct stat* status) {
    // A descriptor that only locates the entry: getting it opens nothing, not even a FIFO.
    const Descriptor located(
        ::openat(folder, name, O_PATH | O_CLOEXEC | (followLink ? 0 : O_NOFOLLOW)));
    if (!located.valid() || ::fstat(located.get(), status) != 0) {
        return LastError();
    }
    if (S_ISDIR(status->st_mode)) {
        return ERROR_ACCESS_DENIED;
    }
    if (!S_ISREG(status->st_mode)) {
        return ERROR_BAD_FILE_TYPE;
    }
    // Reopened through that descriptor: the very file it located, whatever the name is now.
    const std::string self = "/proc/self/fd/" + std::to_string(located.get());
    Descriptor opened(::open(self.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (!opened.valid()) {
        return LastError();
    }
    *file = std::move(opened);
    return ERROR_SUCCESS;
}

std::optional<HeldEntry> HeldEntry::Open(const fs::path& path) {
    fs::path normal = path.lexically_normal();
    if (!normal.is_absolute()) {
        return std::nullopt;
    }
    if (!normal.has_filename()) {
        normal = normal.parent_path();  // a trailing separator
    }
    if (normal == normal.root_path()) {
        return std::nullopt;
    }
    HeldEntry entry;
    entry.folder_ = WalkToFolder(normal.parent_path(), &entry.folders_);
    if (!entry.folder_.valid()) {
        return std::nullopt;
    }
    entry.path_ = normal;
    entry.name_ = normal.filename().string();
    entry.opened_ = StatusAt(entry.folder(), entry.name_.c_str());
    return entry;
}

std::optional<struct stat> HeldEntry::StillTheSame() const {
    const auto now = StatusAt(folder(), name_.c_str());
    if (!now || !opened_ || IdOf(*now) != IdOf(*opened_)) {
        return std::nullopt;
    }
    return now;
}

bool IsPlainEntryName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos;
}

long CopyHeldFile(const HeldEntry& from, const fs::path& to, std::string_view toName) {
    if (!IsPlainEntryName(toName)) {
        return ERROR_INVALID_NAME;
    }
    Descriptor source;
    struct stat status {};
    if (const long opened =
            OpenRegularFile(from.folder(), from.name().c_str(), false, &source, &status)) {
        return opened;
    }
    if (!from.opened() || IdOf(status) != IdOf(*from.opened())) {
        return ERROR_FILE_NOT_FOUND;  // another file took its name since it was checked
    }
    const fs::path target = to / std::string(toName);
    struct stat existing {};
    if (::lstat(target.c_str(), &existing) == 0) {
        return IdOf(existing) == IdOf(status) ? ERROR_ACCESS_DENIED : ERROR_ALREADY_EXISTS;
    }
    PendingFile pending(target);
    if (pending.status() != ERROR_SUCCESS) {
        return pending.status();
    }
    if (const long copied = CopyOpenFile(source.get(), status, pending.descriptor())) {
        return copied;
    }
    return pending.Commit(false);
}

long DeleteHeldFile(const HeldEntry& entry, const FilesInUse& inUse, bool force) {
    const auto now = entry.StillTheSame();
    return now ? DeleteFileAt(entry.folder(), entry.name().c_str(), *now, inUse, force)
               : ERROR_FILE_NOT_FOUND;
}

FileComparison CompareHeldFile(const HeldEntry& entry, const fs::path& other) {
    Descriptor first;
    Descriptor second;
    struct stat firstStatus {};
    struct stat secondStatus {};
    if (OpenRegularFile(entry.folder(), entry.name().c_str(), false, &first, &firstStatus) ||
        OpenRegularFile(AT_FDCWD, other.c_str(), false, &second, &secondStatus)) {
        return FileComparison::Unreadable;
    }
    if (IdOf(firstStatus) == IdOf(secondStatus)) {
        return FileComparison::SameEntry;
    }
    if (firstStatus.st_size != secondStatus.st_size) {
        return FileComparison::Different;
    }
    // Piece by piece, so that two large files never stand in memory.
    std::vector<char> a(64 * 1024);
    std::vector<char> b(a.size());
    for (;;) {
        const ssize_t gotA = ::read(first.get(), a.data(), a.size());
        if (gotA < 0) {
            return FileComparison::Unreadable;
        }
        std::size_t gotB = 0;
        while (gotB < static_cast<std::size_t>(gotA)) {
            const ssize_t got =
                ::read(second.get(), b.data() + gotB, static_cast<std::size_t>(gotA) - gotB);
            if (got <= 0) {
                return got < 0 ? FileComparison::Unreadable : FileComparison::Different;
            }
            gotB += static_cast<std::size_t>(got);
        }
        if (gotA == 0) {
            return FileComparison::Same;
        }
        if (std::memcmp(a.data(), b.data(), gotB) != 0) {
            return FileComparison::Different;
        }
    }
}

long CheckHeldFolder(const HeldEntry& folder, const FilesInUse& inUse) {
    const Descriptor opened = OpenHeldFolder(folder);
    return opened.valid() ? CheckTree(opened.get(), inUse, 0) : ERROR_PATH_NOT_FOUND;
}

long MoveHeldEntry(const HeldEntry& from, const fs::path& to, std::string_view toName) {
    if (!IsPlainEntryName(toName)) {
        return ERROR_INVALID_NAME;
    }
    if (IsReadOnlyFolder(to)) {
        return ERROR_ACCESS_DENIED;  // as for every new entry, root or not
    }
    const Descriptor target = WalkToFolder(to, nullptr);
    if (!target.valid()) {
        return ERROR_PATH_NOT_FOUND;
    }
    if (!from.StillTheSame()) {
        return ERROR_FILE_NOT_FOUND;
    }
    return RenameWithoutReplacing(from.folder(), from.name().c_str(), target.get(),
                                  std::string(toName).c_str());
}

long CopyHeldFolder(const HeldEntry& from, const fs::path& to, std::string_view toName) {
    if (!IsPlainEntryName(toName)) {
        return ERROR_INVALID_NAME;
    }
    if (IsReadOnlyFolder(to)) {
        return ERROR_ACCESS_DENIED;
    }
    const Descriptor source = OpenHeldFolder(from);
    const Descriptor located = WalkToFolder(to, nullptr);
    if (!source.valid() || !located.valid()) {
        return ERROR_PATH_NOT_FOUND;
    }
    const Descriptor target(::openat(located.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    const std::string name(toName);
    if (!target.valid() || ::mkdirat(target.get(), name.c_str(), 0777) != 0) {
        return LastError();
    }
    const Descriptor copy = OpenSubFolder(target.get(), name.c_str());
    if (!copy.valid()) {
        return LastError();
    }
    if (const long copied = CopyTree(source.get(), copy.get(), 0)) {
        return copied;
    }
    // One flush for the whole tree instead of one per file.
    return ::syncfs(target.get()) == 0 ? ERROR_SUCCESS : LastError();
}

long DeleteHeldFolder(const HeldEntry& folder, const FilesInUse& inUse) {
    const Descriptor opened = OpenHeldFolder(folder);
    if (!opened.valid()) {
        return ERROR_PATH_NOT_FOUND;
    }
    if (const long emptied = DeleteTree(opened.get(), inUse, 0)) {
        return emptied;
    }
    return ::unlinkat(folder.folder(), folder.name().c_str(), AT_REMOVEDIR) == 0 ? ERROR_SUCCESS
                                                                                 : LastError();
}

}  // namespace platform
