#include "platform/host_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <optional>

#include "platform/file_attributes.h"
#include "platform/file_errors.h"
#include "platform/held_entry.h"
#include "platform/pending_file.h"

namespace fs = std::filesystem;

namespace platform {
namespace {

std::optional<struct stat> StatusOf(const fs::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 && ::lstat(path.c_str(), &status) != 0) {
        return std::nullopt;
    }
    return status;
}

bool IsSameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Reads a descriptor to its end, handing each piece to take (which may stop it with an error).
// With shortReadEnds a piece shorter than asked is the last, as with the files of /proc.
template <typename TakePiece>
long ReadPieces(int from, TakePiece take, bool shortReadEnds = false) {
    std::array<char, 64 * 1024> buffer;  // not cleared: only what read() filled is used
    for (;;) {
        const ssize_t got = ::read(from, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return Win32ErrorFromErrno(errno);
        }
        if (got == 0) {
            return ERROR_SUCCESS;
        }
        if (const long status =
                take(std::string_view(buffer.data(), static_cast<std::size_t>(got)))) {
            return status;
        }
        if (shortReadEnds && static_cast<std::size_t>(got) < buffer.size()) {
            return ERROR_SUCCESS;
        }
    }
}

// Writes the pieces one after the other; short ones are gathered first, so that a file made of
// thousands of pieces takes a few writes.
void WriteGathered(std::span<const std::string_view> pieces, PendingFile& to) {
    constexpr std::size_t kGatherBytes = 256 * 1024;
    std::string gathered;
    gathered.reserve(kGatherBytes);
    for (const std::string_view piece : pieces) {
        if (gathered.size() + piece.size() > kGatherBytes) {
            to.Write(gathered);
            gathered.clear();
        }
        if (piece.size() >= kGatherBytes) {
            to.Write(piece);
        } else {
            gathered.append(piece);
        }
    }
    to.Write(gathered);
}

// The mode, Windows attributes and (when asked) times of one file given to another.
void CarryOver(std::optional<std::uint32_t> attributes, const struct stat& status, int to,
               bool times) {
    ::fchmod(to, status.st_mode & 07777);
    if (attributes) {
        WriteDosAttributeBits(to, *attributes);
    }
    if (times) {
        const struct timespec stamps[2] = {status.st_atim, status.st_mtim};
        ::futimens(to, stamps);
    }
}

// Copies a descriptor's content into another, in the kernel where it can.
long CopyContent(int from, int to) {
    for (;;) {
        const ssize_t copied = ::copy_file_range(from, nullptr, to, nullptr, 128 * 1024, 0);
        if (copied == 0) {
            return ERROR_SUCCESS;
        }
        if (copied < 0 && errno != EINTR) {
            if (errno != EXDEV && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) {
                return Win32ErrorFromErrno(errno);
            }
            // Not between these two: the rest through a buffer.
            return ReadPieces(from, [&](std::string_view piece) { return WriteAll(to, piece); });
        }
    }
}

long CopyToPending(const fs::path& from, PendingFile& pending) {
    Descriptor source;
    struct stat status {};
    if (const long failed = OpenRegularFile(AT_FDCWD, from.c_str(), true, &source, &status)) {
        return failed == ERROR_FILE_NOT_FOUND ? MissingFileError(from) : failed;
    }
    if (pending.status() != ERROR_SUCCESS) {
        return pending.status();
    }
    return CopyOpenFile(source.get(), status, pending.descriptor());
}

long MoveFileBetweenDevices(const fs::path& from, const struct stat& status, const fs::path& to) {
    if (S_ISDIR(status.st_mode)) {
        return ERROR_NOT_SAME_DEVICE;
    }
    PendingFile pending(to);
    if (const long copied = CopyToPending(from, pending)) {
        return copied;
    }
    if (const long committed = pending.Commit(false)) {
        return committed;
    }
    if (::unlink(from.c_str()) != 0) {
        const long error = Win32ErrorFromErrno(errno);
        ::unlink(to.c_str());  // the original stays; do not leave a second copy behind
        return error;
    }
    return ERROR_SUCCESS;
}

}  // namespace

long CopyOpenFile(int from, const struct stat& status, int to) {
    if (const long copied = CopyContent(from, to)) {
        return copied;
    }
    CarryOver(ReadDosAttributeBits(from), status, to, true);
    return ERROR_SUCCESS;
}

long DeleteFileAt(int folder, const char* name, const struct stat& status, const FilesInUse& inUse,
                  bool force) {
    if (S_ISDIR(status.st_mode)) {
        return ERROR_ACCESS_DENIED;
    }
    if (!force && !S_ISLNK(status.st_mode) && IsReadOnlyMode(status.st_mode)) {
        return ERROR_ACCESS_DENIED;
    }
    if (!S_ISLNK(status.st_mode) && inUse.Contains(status.st_dev, status.st_ino)) {
        return ERROR_SHARING_VIOLATION;
    }
    return ::unlinkat(folder, name, 0) == 0 ? ERROR_SUCCESS : Win32ErrorFromErrno(errno);
}

long MissingFileError(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path.parent_path(), error) ? ERROR_FILE_NOT_FOUND
                                                       : ERROR_PATH_NOT_FOUND;
}

long ReadHostFile(const fs::path& path, std::string* bytes, std::size_t limit) {
    bytes->clear();
    Descriptor file;
    struct stat status {};
    if (const long opened = OpenRegularFile(AT_FDCWD, path.c_str(), true, &file, &status)) {
        return opened == ERROR_FILE_NOT_FOUND ? MissingFileError(path) : opened;
    }
    if (static_cast<std::uint64_t>(status.st_size) > limit) {
        return ERROR_FILE_TOO_LARGE;
    }
    // Definition files run to megabytes: grown piece by piece, the text was copied again at every
    // doubling.
    bytes->reserve(static_cast<std::size_t>(status.st_size));
    const long read = ReadPieces(file.get(), [&](std::string_view piece) {
        if (piece.size() > limit - bytes->size()) {
            return ERROR_FILE_TOO_LARGE;  // it grew past the limit while it was read
        }
        bytes->append(piece);
        return ERROR_SUCCESS;
    });
    if (read != ERROR_SUCCESS) {
        bytes->clear();
    }
    return read;
}

long ReadToEnd(int descriptor, std::string* bytes, bool shortReadEnds) {
    return ReadPieces(
        descriptor,
        [&](std::string_view piece) {
            bytes->append(piece);
            return ERROR_SUCCESS;
        },
        shortReadEnds);
}

long AppendToHostFile(const fs::path& path, std::string_view bytes) {
    if (const auto status = StatusOf(path)) {
        if (S_ISDIR(status->st_mode) || IsReadOnlyMode(status->st_mode)) {
            return ERROR_ACCESS_DENIED;
        }
    } else if (IsReadOnlyFolder(path.parent_path())) {
        return ERROR_ACCESS_DENIED;
    }
    const Descriptor file(::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666));
    if (file.get() < 0) {
        return errno == ENOENT ? ERROR_PATH_NOT_FOUND : Win32ErrorFromErrno(errno);
    }
    return WriteAll(file.get(), bytes);
}

long ReplaceHostFile(const fs::path& path, std::string_view bytes) {
    return ReplaceHostFile(path, std::span<const std::string_view>(&bytes, 1));
}

long ReplaceHostFile(const fs::path& path, std::span<const std::string_view> pieces) {
    const auto status = StatusOf(path);
    if (status && (S_ISDIR(status->st_mode) || IsReadOnlyMode(status->st_mode))) {
        return ERROR_ACCESS_DENIED;
    }
    PendingFile pending(path);
    WriteGathered(pieces, pending);
    if (status && pending.status() == ERROR_SUCCESS) {
        CarryOver(ReadDosAttributeBits(path), *status, pending.descriptor(), false);
    }
    return pending.Commit(true);
}

long DeleteHostFile(const fs::path& path, const FilesInUse& inUse, bool force) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) {
        return MissingFileError(path);
    }
    return DeleteFileAt(AT_FDCWD, path.c_str(), status, inUse, force);
}

long CopyHostFile(const fs::path& from, const fs::path& to) {
    const auto source = StatusOf(from);
    if (!source) {
        return MissingFileError(from);
    }
    if (S_ISDIR(source->st_mode)) {
        return ERROR_ACCESS_DENIED;
    }
    if (const auto target = StatusOf(to)) {
        if (IsSameFile(*source, *target)) {
            return ERROR_SHARING_VIOLATION;
        }
        const auto attributes = ReadFileAttributes(to);
        if (S_ISDIR(target->st_mode) ||
            (attributes && (attributes->readOnly || attributes->hidden || attributes->system))) {
            return ERROR_ACCESS_DENIED;
        }
    }
    PendingFile pending(to);
    if (const long copied = CopyToPending(from, pending)) {
        return copied;
    }
    return pending.Commit(true);
}

long MoveHostFile(const fs::path& from, const fs::path& to) {
    struct stat source {};
    if (::lstat(from.c_str(), &source) != 0) {
        return MissingFileError(from);
    }
    struct stat target {};
    if (::lstat(to.c_str(), &target) == 0) {
        if (!IsSameFile(source, target)) {
            return ERROR_ALREADY_EXISTS;
        }
        // The same file under another letter case: a plain rename gives it the new spelling.
        return ::rename(from.c_str(), to.c_str()) == 0 ? ERROR_SUCCESS : Win32ErrorFromErrno(errno);
    }
    const long renamed = RenameWithoutReplacing(from, to);
    if (renamed == ERROR_NOT_SAME_DEVICE) {
        return MoveFileBetweenDevices(from, source, to);
    }
    return renamed == ERROR_FILE_NOT_FOUND ? ERROR_PATH_NOT_FOUND : renamed;  // the target's folder
}

long HostFileSize(const fs::path& path, std::uint64_t* size) {
    *size = 0;
    const auto status = StatusOf(path);
    if (!status) {
        return MissingFileError(path);
    }
    if (S_ISDIR(status->st_mode)) {
        return ERROR_ACCESS_DENIED;
    }
    *size = static_cast<std::uint64_t>(status->st_size);
    return ERROR_SUCCESS;
}

}  // namespace platform
