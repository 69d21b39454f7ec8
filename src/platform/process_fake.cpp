#include "platform/process_fake.h"

#include <algorithm>

#include "platform/process_image_path.h"

namespace platform {

std::optional<std::vector<ProcessId>> FakeProcesses::ProcessIds() {
    calls.push_back("ProcessIds");
    if (snapshotOnly) {
        return std::nullopt;
    }
    std::vector<ProcessId> ids;
    for (const FakeProcess& process : table) {
        ids.push_back(process.id);
    }
    return ids;
}

OpenResult FakeProcesses::Open(ProcessId id) {
    calls.push_back("Open " + std::to_string(id));
    const FakeProcess* process = Find(id);
    return process ? process->open : OpenResult::NotFound;
}

std::optional<ProcessModule> FakeProcesses::FirstModule(ProcessId id) {
    calls.push_back("FirstModule " + std::to_string(id));
    const FakeProcess* process = Find(id);
    if (!process || process->open != OpenResult::Opened || process->programPath.empty()) {
        return std::nullopt;
    }
    return ProcessModule{process->programPath, WindowsBaseName(process->programPath)};
}

std::optional<std::vector<ProcessEntry>> FakeProcesses::Snapshot() {
    calls.push_back("Snapshot");
    if (snapshotFails) {
        return std::nullopt;
    }
    std::vector<ProcessEntry> entries;
    for (const FakeProcess& process : table) {
        if (!process.programPath.empty()) {
            entries.push_back({process.id, process.programPath});
        }
    }
    return entries;
}

std::vector<std::string> FakeProcesses::ProcessNames() {
    calls.push_back("ProcessNames");
    std::vector<std::string> names;
    for (const FakeProcess& process : table) {
        if (!process.programPath.empty()) {
            names.push_back(WindowsBaseName(process.programPath));
        }
    }
    return names;
}

bool FakeProcesses::Terminate(ProcessId id) {
    calls.push_back("Terminate " + std::to_string(id));
    FakeProcess* process = Find(id);
    if (!process || process->open != OpenResult::Opened) {
        return false;
    }
    if (process->refusedTerminations > 0) {
        if (process->refusedTerminations != FakeProcess::kRefusesForever) {
            --process->refusedTerminations;
        }
        return false;
    }
    terminated.push_back(id);
    End(id);
    return true;
}

WaitResult FakeProcesses::Wait(ProcessId id, std::chrono::milliseconds timeout) {
    calls.push_back("Wait " + std::to_string(id) + " " + std::to_string(timeout.count()) + "ms");
    if (std::ranges::find(endedIds_, id) != endedIds_.end()) {
        return WaitResult::Ended;
    }
    const FakeProcess* process = Find(id);
    if (!process) {
        return WaitResult::Gone;
    }
    if (process->endsOnItsOwn) {
        End(id);
        return WaitResult::Ended;
    }
    return WaitResult::StillRunning;
}

bool FakeProcesses::SetDebugPrivilege(bool enable) {
    calls.push_back(enable ? "SetDebugPrivilege on" : "SetDebugPrivilege off");
    return !debugPrivilegeFails;
}

FakeProcess* FakeProcesses::Find(ProcessId id) {
    const auto found = std::ranges::find(table, id, &FakeProcess::id);
    return found == table.end() ? nullptr : &*found;
}

void FakeProcesses::End(ProcessId id) {
    std::erase_if(table, [id](const FakeProcess& process) { return process.id == id; });
    endedIds_.push_back(id);
}

}  // namespace platform
