#pragma once

#include <cstdint>
#include <string>

// The restore point that brackets a removal, over the platform's restore points
// (platform/restore_points.h). The open one's sequence number is gRestorePointSeq (globals.h).

// Raised by BeginRestorePoint while a restore point is open.
inline constexpr std::int32_t kErrorRestorePointOpen = 100001;

// Whether the protected Windows version keeps restore points.
bool IsSystemRestoreSupported();

// Begins a restore point of the given type. Throws ProgramError kErrorRestorePointOpen when one is
// open already; false when the platform made none, with the reason in LastRestorePointError().
bool BeginRestorePoint(const std::string& description, std::int32_t type);
long LastRestorePointError();

// Ends the open restore point; gRestorePointSeq is 0 afterwards in every case.
bool EndRestorePoint();
