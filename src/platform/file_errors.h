#pragma once

#include "platform/registry.h"  // the Win32 codes every machine service shares

// The Win32 error codes of file and folder operations, beyond those the registry already names.
namespace platform {

inline constexpr long ERROR_NOT_SAME_DEVICE = 17;
inline constexpr long ERROR_NOT_READY = 21;
inline constexpr long ERROR_FILE_EXISTS = 80;
inline constexpr long ERROR_DISK_FULL = 112;
inline constexpr long ERROR_DIR_NOT_EMPTY = 145;

// The Win32 code closest to a failed host call's errno.
long Win32ErrorFromErrno(int error);

}  // namespace platform
