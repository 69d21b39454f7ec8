#pragma once

#include "platform/process_image_path.h"
#include "platform/processes.h"

// The processes of this Linux machine, read from /proc.
//
// - Enumeration order is ascending by id.
// - A process whose exe link cannot be read cannot be opened (access denied): kernel threads,
//   zombies, and other accounts' processes when the program does not run as root. So ids 0 and 2
//   (which callers name "System Idle Process" and "System") never come back opened: 0 is not in
//   /proc at all, and 2 is the kernel's thread starter. Such processes are also left out of
//   snapshots and names, while their ids stay in the id list.
// - A process the program may not signal counts as one that cannot be opened.
// - Terminate sends SIGKILL: like ending a process on Windows, it cannot be caught or ignored.
//   It never stops the program itself, its parent, or process 1.
// - Wait uses a process file descriptor, or watches /proc where the kernel has none.
namespace platform {

class ProcfsProcesses final : public Processes {
  public:
    explicit ProcfsProcesses(HostToWindowsPath toWindows);

    std::optional<std::vector<ProcessId>> ProcessIds() override;
    OpenResult Open(ProcessId id) override;
    std::optional<ProcessModule> FirstModule(ProcessId id) override;
    std::optional<std::vector<ProcessEntry>> Snapshot() override;
    std::vector<std::string> ProcessNames() override;
    bool Terminate(ProcessId id) override;
    WaitResult Wait(ProcessId id, std::chrono::milliseconds timeout) override;
    bool SetDebugPrivilege(bool enable) override;

  private:
    HostToWindowsPath toWindows_;
};

}  // namespace platform
