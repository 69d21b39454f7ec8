#include "platform/application.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>

#include "platform/path_mapper.h"

namespace fs = std::filesystem;

namespace platform {
namespace {

// The lock folder exists (made now when missing) as a real folder of this account only, so that
// nobody else can place the lock file or a link in it.
bool PrepareLockFolder(const fs::path& folder) {
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        return false;
    }
    struct stat status {};
    return ::lstat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
           status.st_uid == ::getuid() && (status.st_mode & 0077) == 0;
}

}  // namespace

fs::path ExecutablePath() {
    std::error_code error;
    fs::path path = fs::read_symlink("/proc/self/exe", error);
    std::string text = path.string();
    constexpr std::string_view kDeleted = " (deleted)";  // the binary was replaced while running
    if (text.size() > kDeleted.size() && text.ends_with(kDeleted)) {
        text.resize(text.size() - kDeleted.size());
    }
    return text;
}

fs::path ProgramFolderHostPath() {
    const char* overridden = std::getenv("TOLLENWARK_PROGRAM_FOLDER");
    return overridden != nullptr && *overridden != '\0'
               ? fs::absolute(overridden).lexically_normal()
               : ExecutablePath().parent_path();
}

std::string ProgramFolder() {
    std::string path = ZDrivePath(ProgramFolderHostPath());
    if (path.size() > 3 && path.back() == '\\') {
        path.pop_back();
    }
    return path;
}

std::string ExecutableBaseName() {
    return ExecutablePath().filename().string();
}

fs::path InstanceLockFile() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const fs::path base = runtime != nullptr && *runtime == '/' ? fs::path(runtime) : "/tmp";
    return base / ("tollenwark-" + std::to_string(::getuid())) / "instance.lock";
}

bool PreviousInstance() {
    static const InstanceLock lock(InstanceLockFile());
    return lock.heldElsewhere();
}

InstanceLock::InstanceLock(const fs::path& lockFile) {
    if (!PrepareLockFolder(lockFile.parent_path())) {
        return;
    }
    descriptor_ = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (descriptor_ < 0) {
        return;
    }
    if (::flock(descriptor_, LOCK_EX | LOCK_NB) != 0) {
        heldElsewhere_ = errno == EWOULDBLOCK;
        ::close(descriptor_);
        descriptor_ = -1;
    }
}

InstanceLock::~InstanceLock() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
    }
}

}  // namespace platform
