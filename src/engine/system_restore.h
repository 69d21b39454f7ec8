#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry.h"

// The restore point that brackets a removal, over the platform's restore points
// (platform/restore_points.h). The open one's sequence number is gRestorePointSeq (globals.h).

// Raised by BeginRestorePoint while a restore point is open.
inline constexpr std::int32_t kErrorRestorePointOpen = 100001;

// Whether the protected Windows version keeps restore points.
bool IsSystemRestoreSupported();

// Begins a restore point of the given type: ERROR_SUCCESS, or why the platform made none. Throws
// ProgramError kErrorRestorePointOpen when one is open already. While Wine's server holds the
// registry, the restore point holds only what lies under the roots the change will touch.
long BeginRestorePoint(
    const std::string& description, std::int32_t type,
    const std::vector<platform::RegRoot>& changing = platform::kEveryRegistryRoot);

// Ends the open restore point; gRestorePointSeq is 0 afterwards in every case.
bool EndRestorePoint();
