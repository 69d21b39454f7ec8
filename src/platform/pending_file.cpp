#include "platform/pending_file.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "platform/file_attributes.h"
#include "platform/file_errors.h"
#include "platform/temporary_files.h"

namespace fs = std::filesystem;

namespace platform {
namespace {

std::function<bool(const std::string&)>& BeforeRenameHook() {
    static std::function<bool(const std::string&)> hook;
    return hook;
}

mode_t CurrentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

}  // namespace

void SetBeforeRenameHookForTests(std::function<bool(const std::string&)> hook) {
    BeforeRenameHook() = std::move(hook);
}

fs::path FolderOf(const fs::path& path) {
    fs::path folder = path.parent_path();
    return folder.empty() ? fs::path(".") : folder;
}

void SyncFolder(const fs::path& folder) {
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
}

long WriteAll(int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return Win32ErrorFromErrno(errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return ERROR_SUCCESS;
}

long RenameWithoutReplacing(int fromFolder, const char* fromName, int toFolder,
                            const char* toName) {
    if (::renameat2(fromFolder, fromName, toFolder, toName, RENAME_NOREPLACE) == 0) {
        return ERROR_SUCCESS;
    }
    if (errno != EINVAL) {
        return Win32ErrorFromErrno(errno);
    }
    // A file system without the no-replace rename: look first, then rename.
    struct stat status {};
    if (::fstatat(toFolder, toName, &status, AT_SYMLINK_NOFOLLOW) == 0) {
        errno = EEXIST;
        return ERROR_ALREADY_EXISTS;
    }
    return ::renameat(fromFolder, fromName, toFolder, toName) == 0 ? ERROR_SUCCESS
                                                                   : Win32ErrorFromErrno(errno);
}

long RenameWithoutReplacing(const fs::path& from, const fs::path& to) {
    return RenameWithoutReplacing(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str());
}

PendingFile::PendingFile(fs::path target, std::string_view marker)
    : target_(std::move(target)), status_(ERROR_SUCCESS) {
    if (IsReadOnlyFolder(FolderOf(target_))) {
        errno = EACCES;
        Fail(ERROR_ACCESS_DENIED, "cannot write in", FolderOf(target_));
        return;
    }
    const std::string pattern = TemporaryFilePattern(target_, marker);
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    descriptor_ = ::mkostemp(name.data(), O_CLOEXEC);
    if (descriptor_ < 0) {
        Fail(errno == ENOENT ? ERROR_PATH_NOT_FOUND : Win32ErrorFromErrno(errno),
             "cannot create a temporary file in", FolderOf(target_));
        return;
    }
    temporary_ = name.data();
    ::fchmod(descriptor_, 0666 & ~CurrentUmask());  // a new file gets the usual mode
}

PendingFile::~PendingFile() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
    }
    if (!committed_ && !temporary_.empty()) {
        ::unlink(temporary_.c_str());
    }
}

// Keeps the first failure, described with errno as the failed call left it.
long PendingFile::Fail(long status, std::string_view what, const fs::path& path) {
    if (status_ == ERROR_SUCCESS) {
        status_ = status;
        failure_ = std::string(what) + " \"" + path.string() + "\": " + std::strerror(errno);
    }
    return status_;
}

long PendingFile::Write(std::string_view bytes) {
    if (status_ != ERROR_SUCCESS) {
        return status_;
    }
    const long result = WriteAll(descriptor_, bytes);
    return result == ERROR_SUCCESS ? result : Fail(result, "cannot write", temporary_);
}

long PendingFile::Commit(bool replaceExisting) {
    if (status_ != ERROR_SUCCESS) {
        return status_;
    }
    if (::fsync(descriptor_) != 0) {
        return Fail(Win32ErrorFromErrno(errno), "cannot write", temporary_);
    }
    const int closeResult = ::close(descriptor_);
    descriptor_ = -1;
    if (closeResult != 0) {
        return Fail(Win32ErrorFromErrno(errno), "cannot write", temporary_);
    }
    if (BeforeRenameHook() && !BeforeRenameHook()(temporary_.string())) {
        errno = EINTR;
        return Fail(ERROR_WRITE_FAULT, "interrupted before replacing", target_);
    }
    const long renamed = replaceExisting ? (::rename(temporary_.c_str(), target_.c_str()) == 0
                                                ? ERROR_SUCCESS
                                                : Win32ErrorFromErrno(errno))
                                         : RenameWithoutReplacing(temporary_, target_);
    if (renamed != ERROR_SUCCESS) {
        return Fail(renamed, "cannot replace", target_);
    }
    committed_ = true;
    SyncFolder(FolderOf(target_));
    return ERROR_SUCCESS;
}

}  // namespace platform
