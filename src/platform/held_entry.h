#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files_in_use.h"

// Acting on one entry of the host's file system through descriptors. Its folder is opened from "/"
// one name at a time without following a link, and every act (read, copy, move, delete) goes
// through that folder by the entry's own name in it, after making sure that the name still stands
// for the entry that was opened. A link or another folder put into the path after the entry was
// checked cannot redirect the act: the walk fails on a link, and what it opened stays what is
// acted on.
namespace platform {

// Win32 codes of these acts beyond the common ones: a FIFO, socket, device or link where a file's
// content was wanted (never opened), and a file larger than a read allows.
inline constexpr long ERROR_BAD_FILE_TYPE = 222;
inline constexpr long ERROR_FILE_TOO_LARGE = 223;

// A descriptor, closed when it goes.
class Descriptor {
  public:
    Descriptor() = default;
    explicit Descriptor(int descriptor) : descriptor_(descriptor) {}
    ~Descriptor();
    Descriptor(Descriptor&& other) noexcept;
    Descriptor& operator=(Descriptor&& other) noexcept;

    int get() const { return descriptor_; }
    bool valid() const { return descriptor_ >= 0; }

  private:
    int descriptor_ = -1;
};

// What tells one file system entry from every other, whatever it is called.
struct EntryId {
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const EntryId&) const = default;
};

EntryId IdOf(const struct stat& status);

// A folder on the way from "/" to an entry, as a walk met it.
struct PathStep {
    std::filesystem::path path;
    EntryId id;
};

// Opens the regular file `name` of `folder` (a folder descriptor or AT_FDCWD) for reading, with
// status getting its status. Anything else there (a folder, FIFO, socket or device, or a link when
// followLink is false) is refused without being opened: ERROR_BAD_FILE_TYPE (a folder gives
// ERROR_ACCESS_DENIED). Reading it never blocks.
long OpenRegularFile(int folder, const char* name, bool followLink, Descriptor* file,
                     struct stat* status);

class HeldEntry {
  public:
    // Walks an absolute path whose links are all resolved already. Nothing when the path is "/",
    // when a name on the way is a link or no folder, or when a folder on the way is missing; the
    // entry itself need not exist.
    static std::optional<HeldEntry> Open(const std::filesystem::path& path);

    const std::filesystem::path& path() const { return path_; }
    const std::string& name() const { return name_; }
    // The folder the entry stands in.
    int folder() const { return folder_.get(); }
    // The folders from "/" down to the entry's own, as the walk met them.
    const std::vector<PathStep>& folders() const { return folders_; }
    // The entry as the walk found it (its link, if it is one, not followed); nothing when it was
    // not there.
    const std::optional<struct stat>& opened() const { return opened_; }

    // Whether the name still stands for the entry the walk found, and that entry's status now.
    std::optional<struct stat> StillTheSame() const;

  private:
    HeldEntry() = default;

    std::filesystem::path path_;
    std::string name_;
    Descriptor folder_;
    std::vector<PathStep> folders_;
    std::optional<struct stat> opened_;
};

// Whether name is one plain name of an entry: not empty, not "." or "..", no "/" and no NUL.
bool IsPlainEntryName(std::string_view name);

// Copies the held file, while it is still the file that was opened and a regular file, into the
// folder `to` as a new file toName (never replacing one: ERROR_ALREADY_EXISTS), with its mode,
// Windows attributes and times, flushed to the disk. A source that is the entry already standing
// under toName is refused (ERROR_ACCESS_DENIED).
long CopyHeldFile(const HeldEntry& from, const std::filesystem::path& to, std::string_view toName);

// Deletes the held entry (a link: the link itself) while it is still the entry that was opened. A
// folder, a read-only file (unless forced) and a file that a process holds refuse.
long DeleteHeldFile(const HeldEntry& entry, const FilesInUse& inUse, bool force);

// How the held file compares with the file at `other`.
enum class FileComparison { Same, Different, SameEntry, Unreadable };
FileComparison CompareHeldFile(const HeldEntry& entry, const std::filesystem::path& other);

// Whether a held folder may be moved as a whole: ERROR_SHARING_VIOLATION when a process holds a
// file in its tree, ERROR_BAD_FILE_TYPE when it holds a FIFO, socket or device, an error when it
// nests deeper than a removal goes or cannot be read.
long CheckHeldFolder(const HeldEntry& folder, const FilesInUse& inUse);

// Renames the held entry, while it is still the entry that was opened, into the folder `to` as
// toName, never replacing an entry (ERROR_ALREADY_EXISTS); ERROR_NOT_SAME_DEVICE when the two lie
// on different file systems.
long MoveHeldEntry(const HeldEntry& from, const std::filesystem::path& to, std::string_view toName);

// Copies the held folder's tree into a new folder toName of `to`: folders, files with their mode,
// attributes and times, links as links (never followed). Nothing is flushed file by file; the file
// system is flushed once when the copy is whole. On failure the new folder may hold part of the
// tree.
long CopyHeldFolder(const HeldEntry& from, const std::filesystem::path& to,
                    std::string_view toName);

// Deletes the held folder with its whole tree, read-only entries too, following no link; files a
// process holds refuse. Deletes what it can and returns the first failure.
long DeleteHeldFolder(const HeldEntry& folder, const FilesInUse& inUse);

}  // namespace platform
