#include "platform/machine.h"
#include "platform/process_procfs.h"
#include "platform/processes.h"

namespace platform {
namespace {

Processes* gInstalledProcesses = nullptr;

Processes& LinuxProcesses() {
    // The machine is looked up on every call, so a machine installed later is the one whose
    // programs are listed.
    static ProcfsProcesses processes([]() -> const Machine& { return CurrentMachine(); });
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
