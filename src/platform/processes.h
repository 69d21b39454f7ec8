#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The running programs of the Windows installation, seen the Windows way: each process has an id
// and a program path in Windows form (C:\Program Files\Tool\tool.exe,
// C:\windows\system32\services.exe). The host's own processes are no part of it.
namespace platform {

using ProcessId = std::uint32_t;

// The outcome of opening a process to read its modules.
enum class OpenResult {
    Opened,
    AccessDenied,  // it exists but may not be read or signalled, like a protected process
    NotFound,      // no such process (ended, never existed, or the id of a thread)
};

// What a short wait on a process saw.
enum class WaitResult {
    Ended,         // it has exited
    Gone,          // no process of that id exists (any more)
    StillRunning,  // the time ran out
};

// The first module of a process: the program itself.
struct ProcessModule {
    std::string path;      // Windows form
    std::string baseName;  // the text after the last backslash of path
};

// One entry of a process snapshot.
struct ProcessEntry {
    ProcessId id = 0;
    std::string programPath;  // Windows form
};

class Processes {
  public:
    virtual ~Processes() = default;

    // The ids of every running process in enumeration order, or nothing when they cannot be read.
    virtual std::optional<std::vector<ProcessId>> ProcessIds() = 0;
    // Opens a process to read its modules; the program opens, reads and forgets in one call.
    virtual OpenResult Open(ProcessId id) = 0;
    // The program of a process, or nothing when it cannot be opened.
    virtual std::optional<ProcessModule> FirstModule(ProcessId id) = 0;
    // Every process that can be opened, with its program path, in enumeration order; nothing
    // when no snapshot can be taken.
    virtual std::optional<std::vector<ProcessEntry>> Snapshot() = 0;
    // The program names (base names) of the running processes in enumeration order; a program
    // running twice is named twice.
    virtual std::vector<std::string> ProcessNames() = 0;

    // Ends a process at once. False when it cannot be opened, when it is one the program must
    // never stop (itself, its parent, the init process), or when the signal is refused.
    virtual bool Terminate(ProcessId id) = 0;
    // Waits at most `timeout` for the process to end.
    virtual WaitResult Wait(ProcessId id, std::chrono::milliseconds timeout) = 0;
    // Switches the right to stop other accounts' processes on or off; false when that fails.
    virtual bool SetDebugPrivilege(bool enable) = 0;
};

// The process service of this program: the one a ScopedProcesses installed, else the programs
// that Wine runs for the current machine's prefix, named through its drives.
Processes& CurrentProcesses();

// Makes a service (a test's fake) the current one for the scope's lifetime, then puts the
// previous one back. The service must outlive the scope.
class ScopedProcesses {
  public:
    explicit ScopedProcesses(Processes& processes);
    ~ScopedProcesses();
    ScopedProcesses(const ScopedProcesses&) = delete;
    ScopedProcesses& operator=(const ScopedProcesses&) = delete;

  private:
    Processes* previous_;
};

}  // namespace platform
