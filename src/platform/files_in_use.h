#pragma once

#include <sys/types.h>

#include <filesystem>
#include <set>
#include <string_view>
#include <utility>

// The files that running processes hold, which Windows would refuse to delete: programs and
// libraries mapped into a process (a Wine program's own file among them), files under a lock, and
// files that a program of the protected prefix holds open (Wine's server among them, which keeps
// the files its programs opened). Sharing modes that Wine keeps to itself cannot be seen from here.
namespace platform {

class FilesInUse {
  public:
    // Walks /proc once; processes that cannot be read are passed over. The open files are those
    // of the processes Wine runs for prefixFolder (none when it is empty), never this process'.
    static FilesInUse Snapshot(const std::filesystem::path& prefixFolder = {});

    bool Contains(const std::filesystem::path& hostPath) const;
    bool Contains(dev_t device, ino_t inode) const;

    // One line of /proc/<pid>/maps or of /proc/locks, for the snapshot and its tests.
    void AddMapsLine(std::string_view line);
    void AddLocksLine(std::string_view line);
    // Every file /proc/<pid>/fd of a process shows open.
    void AddOpenFiles(const std::filesystem::path& descriptorFolder);

  private:
    std::set<std::pair<dev_t, ino_t>> files_;
};

}  // namespace platform
