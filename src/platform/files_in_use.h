#pragma once

#include <sys/types.h>

#include <filesystem>
#include <set>
#include <string_view>
#include <utility>

// The files that running processes hold, which Windows would refuse to delete: programs and
// libraries mapped into a process (a Wine program's own file among them) and files under a lock.
// Sharing modes that Wine keeps to itself cannot be seen from here.
namespace platform {

class FilesInUse {
  public:
    // Walks /proc once; processes that cannot be read are passed over.
    static FilesInUse Snapshot();

    bool Contains(const std::filesystem::path& hostPath) const;

    // One line of /proc/<pid>/maps or of /proc/locks, for the snapshot and its tests.
    void AddMapsLine(std::string_view line);
    void AddLocksLine(std::string_view line);

  private:
    std::set<std::pair<dev_t, ino_t>> files_;
};

}  // namespace platform
