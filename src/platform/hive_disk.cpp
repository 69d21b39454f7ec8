#include "platform/hive_disk.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/file_errors.h"
#include "platform/pending_file.h"

namespace platform {

namespace {

std::string SystemError(const std::string& what, const std::string& path) {
    return what + " \"" + path + "\": " + std::strerror(errno);
}

// A hive reached through a symbolic link is replaced where it lives, keeping the link.
std::string ResolvedPath(const std::string& path) {
    std::error_code error;
    if (std::filesystem::is_symlink(path, error)) {
        const auto target = std::filesystem::canonical(path, error);
        if (!error) {
            return target.string();
        }
    }
    return path;
}

// The mode and owner the new content takes: the file's own, or for a new file (which has the usual
// mode) its folder's owner, so that a hive made for a user stays the user's.
void TakeOverModeAndOwner(int fd, const std::filesystem::path& path) {
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0) {
        (void)::fchown(fd, existing.st_uid, existing.st_gid);
        ::fchmod(fd, existing.st_mode & 07777);
    } else if (::stat(FolderOf(path).c_str(), &existing) == 0) {
        (void)::fchown(fd, existing.st_uid, existing.st_gid);
    }
}

}  // namespace

std::optional<FileIdentity> IdentityOf(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return std::nullopt;
    }
    return FileIdentity{status.st_dev, status.st_ino, status.st_size, status.st_mtim.tv_sec,
                        status.st_mtim.tv_nsec};
}

bool ReadWholeFile(const std::string& path, std::string* content, std::string* error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        *error = SystemError("cannot open", path);
        return false;
    }
    std::string text;
    char buffer[65536];
    ssize_t count = 0;
    while ((count = ::read(fd, buffer, sizeof buffer)) != 0) {
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            *error = SystemError("cannot read", path);
            ::close(fd);
            return false;
        }
        text.append(buffer, static_cast<std::size_t>(count));
    }
    ::close(fd);
    *content = std::move(text);
    return true;
}

bool OwnerMayWrite(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && (status.st_mode & S_IWUSR) != 0 &&
           ::access(path.c_str(), W_OK) == 0;
}

bool ReplaceFileAtomically(const std::string& requestedPath, const std::string& content,
                           std::string* error) {
    const std::filesystem::path path = ResolvedPath(requestedPath);
    PendingFile pending(path, kReplacedFileMarker);
    if (pending.status() == ERROR_SUCCESS) {
        TakeOverModeAndOwner(pending.descriptor(), path);
    }
    pending.Write(content);
    if (pending.Commit(true) != ERROR_SUCCESS) {
        *error = pending.failure();
        return false;
    }
    return true;
}

}  // namespace platform
