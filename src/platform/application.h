#pragma once

#include <filesystem>
#include <string>

// The running program itself: its folder, its name, and whether another copy runs already.
namespace platform {

// The folder of the executable as a Windows path through Z: ("Z:\opt\tollenwark"), without a
// trailing "\". TOLLENWARK_PROGRAM_FOLDER (a host path) takes its place when set.
std::string ProgramFolder();

// The same folder as a host path.
std::filesystem::path ProgramFolderHostPath();

// The executable's file name ("tollenwark").
std::string ExecutableBaseName();

// The executable's host path, as the system started it.
std::filesystem::path ExecutablePath();

// Whether another copy of the program ran for this account when this one started. The first call
// takes the account's instance lock (main makes it first thing) and the answer never changes after.
bool PreviousInstance();

// ${XDG_RUNTIME_DIR:-/tmp}/tollenwark-<uid>/instance.lock
std::filesystem::path InstanceLockFile();

// An exclusive lock on a file, held until the object goes. A copy of the program holds one on its
// instance lock file for its whole life.
class InstanceLock {
  public:
    explicit InstanceLock(const std::filesystem::path& lockFile);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Another process holds the lock. When the lock cannot be taken for any other reason (a lock
    // folder that is not the account's own, say) this is false: a single copy must still start.
    bool heldElsewhere() const { return heldElsewhere_; }

  private:
    int descriptor_ = -1;
    bool heldElsewhere_ = false;
};

}  // namespace platform
