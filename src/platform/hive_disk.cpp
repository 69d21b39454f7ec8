#include "platform/hive_disk.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

#include "platform/temporary_files.h"

namespace platform {

namespace {

std::function<bool(const std::string&)>& BeforeRenameHook() {
    static std::function<bool(const std::string&)> hook;
    return hook;
}

std::string SystemError(const std::string& what, const std::string& path) {
    return what + " \"" + path + "\": " + std::strerror(errno);
}

std::string FolderOf(const std::string& path) {
    const std::string folder = std::filesystem::path(path).parent_path().string();
    return folder.empty() ? "." : folder;
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

bool WriteAll(int fd, const std::string& content) {
    std::size_t written = 0;
    while (written < content.size()) {
        const ssize_t result = ::write(fd, content.data() + written, content.size() - written);
        if (result < 0 && errno == EINTR) {
            continue;
        }
        if (result <= 0) {
            return false;
        }
        written += static_cast<std::size_t>(result);
    }
    return true;
}

// The mode and owner the new content takes: the file's own, or for a new file the usual mode
// and the folder's owner (so that a hive made for a user stays the user's).
void TakeOverModeAndOwner(int fd, const std::string& path, const std::string& folder) {
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0) {
        (void)::fchown(fd, existing.st_uid, existing.st_gid);
        ::fchmod(fd, existing.st_mode & 07777);
        return;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    if (::stat(folder.c_str(), &existing) == 0) {
        (void)::fchown(fd, existing.st_uid, existing.st_gid);
    }
}

void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
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
    const std::string path = ResolvedPath(requestedPath);
    const std::string folder = FolderOf(path);
    std::string temporary = TemporaryFilePattern(path, kReplacedFileMarker);
    std::vector<char> name(temporary.begin(), temporary.end());
    name.push_back('\0');
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) {
        *error = SystemError("cannot create a temporary file in", folder);
        return false;
    }
    temporary = name.data();
    TakeOverModeAndOwner(fd, path, folder);
    bool written = WriteAll(fd, content) && ::fsync(fd) == 0;
    if (!written) {
        *error = SystemError("cannot write", temporary);
    }
    if (::close(fd) != 0 && written) {
        written = false;
        *error = SystemError("cannot write", temporary);
    }
    if (written && BeforeRenameHook() && !BeforeRenameHook()(temporary)) {
        written = false;
        *error = "cannot replace \"" + path + "\": interrupted before the rename";
    } else if (written && ::rename(temporary.c_str(), path.c_str()) != 0) {
        written = false;
        *error = SystemError("cannot replace", path);
    }
    if (!written) {
        ::unlink(temporary.c_str());
        return false;
    }
    SyncFolder(folder);
    return true;
}

void SetBeforeRenameHookForTests(std::function<bool(const std::string&)> hook) {
    BeforeRenameHook() = std::move(hook);
}

}  // namespace platform
