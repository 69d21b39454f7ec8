#include "platform/hive_server_lock.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

namespace platform {

namespace {

bool LockIsHeld(const std::string& lockPath) {
    const int fd = ::open(lockPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    // Only asks who holds the lock, so a server starting meanwhile is never in our way.
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    const bool held = ::fcntl(fd, F_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
    ::close(fd);
    return held;
}

}  // namespace

std::vector<std::string> WineServerRoots(const std::string& prefixFolder) {
    std::vector<std::string> roots;
    std::string named;
    std::ifstream file(prefixFolder + "/wineserver");
    if (std::getline(file, named) && !named.empty() && named.find('/') == std::string::npos &&
        named != "." && named != "..") {
        roots.push_back("/tmp/" + named);
    }
    roots.push_back("/tmp/.wine-" + std::to_string(::getuid()));
    return roots;
}

std::string WineServerFolder(const std::string& prefixFolder, const std::string& serverRoot) {
    struct stat status {};
    if (::stat(prefixFolder.c_str(), &status) != 0) {
        return "";
    }
    char name[64];
    std::snprintf(name, sizeof name, "/server-%llx-%llx",
                  static_cast<unsigned long long>(status.st_dev),
                  static_cast<unsigned long long>(status.st_ino));
    return serverRoot + name;
}

bool WineServerRuns(const std::string& prefixFolder, const std::vector<std::string>& serverRoots) {
    for (const auto& root : serverRoots) {
        const std::string folder = WineServerFolder(prefixFolder, root);
        if (!folder.empty() && LockIsHeld(folder + "/lock")) {
            return true;
        }
    }
    return false;
}

}  // namespace platform
