#include "engine/system_restore.h"

#include "engine/globals.h"
#include "foundation/program_error.h"
#include "platform/machine.h"
#include "platform/restore_points.h"

bool IsSystemRestoreSupported() {
    return platform::RestorePointsSupported(platform::CurrentMachine().Version());
}

long BeginRestorePoint(const std::string& description, std::int32_t type,
                       const std::vector<platform::RegRoot>& changing) {
    if (gRestorePointSeq != 0) {
        throw ProgramError(kErrorRestorePointOpen, "BeginRestorePoint",
                           "You must End the previous restore point first.");
    }
    platform::StateMgrStatus status;
    platform::Machine& machine = platform::CurrentMachine();
    if (!platform::SetRestorePoint(machine.prefix(),
                                   {platform::BEGIN_SYSTEM_CHANGE, type, 0, description}, &status,
                                   &machine.registry(), changing)) {
        return status.status;
    }
    gRestorePointSeq = status.sequenceNumber;
    return platform::ERROR_SUCCESS;
}

bool EndRestorePoint() {
    platform::StateMgrStatus status;
    const bool ended =
        platform::SetRestorePoint(platform::CurrentMachine().prefix(),
                                  {platform::END_SYSTEM_CHANGE, 0, gRestorePointSeq, ""}, &status);
    gRestorePointSeq = 0;
    return ended;
}
