#pragma once

#include <climits>
#include <string>
#include <vector>

#include "platform/processes.h"

// A scripted process table for tests: deterministic, in memory, recording every call.
namespace platform {

struct FakeProcess {
    // Terminate calls a process that refuses to die keeps refusing.
    static constexpr int kRefusesForever = INT_MAX;

    ProcessId id = 0;
    std::string programPath;  // Windows form; "" for a process without a program (left out of
                              // snapshots and names)
    OpenResult open = OpenResult::Opened;
    int refusedTerminations = 0;  // Terminate calls that fail before one ends the process
    bool endsOnItsOwn = false;    // the first wait on it sees it ended
};

class FakeProcesses final : public Processes {
  public:
    // The process table in enumeration order.
    std::vector<FakeProcess> table;
    // The older platform family: no process-status service, only snapshots.
    bool snapshotOnly = false;
    bool snapshotFails = false;
    bool debugPrivilegeFails = false;
    // Every call, as "Name", "Name id" or "Name id detail" ("Wait 42 1ms", "SetDebugPrivilege on").
    std::vector<std::string> calls;
    // The ids of the processes that a Terminate ended, in order.
    std::vector<ProcessId> terminated;

    std::optional<std::vector<ProcessId>> ProcessIds() override;
    OpenResult Open(ProcessId id) override;
    std::optional<ProcessModule> FirstModule(ProcessId id) override;
    std::optional<std::vector<ProcessEntry>> Snapshot() override;
    std::vector<std::string> ProcessNames() override;
    bool Terminate(ProcessId id) override;
    WaitResult Wait(ProcessId id, std::chrono::milliseconds timeout) override;
    bool SetDebugPrivilege(bool enable) override;

  private:
    FakeProcess* Find(ProcessId id);
    void End(ProcessId id);

    // Ended processes: a wait on them sees "ended"; ids in neither list are "gone".
    std::vector<ProcessId> endedIds_;
};

}  // namespace platform
