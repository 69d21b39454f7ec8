#include "platform/machine.h"
#include "platform/process_procfs.h"
#include "platform/processes.h"

namespace platform {
namespace {

Processes* gInstalledProcesses = nullptr;

Processes& LinuxProcesses() {
    // The machine is looked up on every call, so a machine installed later is the one that names
    // the programs.
    static ProcfsProcesses processes(
        [](const std::string& hostPath) { return CurrentMachine().paths().ToWindows(hostPath); });
    return processes;
}

}  // namespace

Processes& CurrentProcesses() {
    return gInstalledProcesses ? *gInstalledProcesses : LinuxProcesses();
}

ScopedProcesses::ScopedProcesses(Processes& processes) : previous_(gInstalledProcesses) {
    gInstalledProcesses = &processes;
}

ScopedProcesses::~ScopedProcesses() {
    gInstalledProcesses = previous_;
}

}  // namespace platform
