#pragma once

#include <functional>

#include "platform/processes.h"

// The running programs of a Windows installation on this Linux machine, read from /proc: the
// processes that Wine runs for the installation's prefix. Wine says which prefix a process runs
// for in its environment (WINEPREFIX, or none for ~/.wine).
//
// - Every other process is no program of the installation, and the listings leave it out: the
//   host's own programs, other prefixes' programs, processes whose executable or environment the
//   program may not read (kernel threads, zombies, other accounts' processes), and the program
//   itself. Opening one finds no such process, and it is never stopped.
// - Enumeration order is ascending by id.
// - A program of the installation that the program may not signal cannot be opened (access
//   denied).
// - Terminate sends SIGKILL: like ending a process on Windows, it cannot be caught or ignored.
//   It never stops the program itself, its parent, or process 1.
// - Wait watches any process of the machine, so that a program that was stopped can be seen to
//   have ended. It uses a process file descriptor, or watches /proc where the kernel has none.
namespace platform {

class Machine;

class ProcfsProcesses final : public Processes {
  public:
    // installation gives the machine whose programs are listed, asked on every call.
    explicit ProcfsProcesses(std::function<const Machine&()> installation);

    std::optional<std::vector<ProcessId>> ProcessIds() override;
    OpenResult Open(ProcessId id) override;
    std::optional<ProcessModule> FirstModule(ProcessId id) override;
    std::optional<std::vector<ProcessEntry>> Snapshot() override;
    std::vector<std::string> ProcessNames() override;
    bool Terminate(ProcessId id) override;
    WaitResult Wait(ProcessId id, std::chrono::milliseconds timeout) override;
    bool SetDebugPrivilege(bool enable) override;

  private:
    std::function<const Machine&()> installation_;
};

}  // namespace platform
