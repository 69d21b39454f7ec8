#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/os_version.h"
#include "platform/prefix.h"
#include "platform/registry.h"

// Restore points of the protected installation. Its registry lives in the prefix's hive files, so
// a restore point is a numbered snapshot of those files, with its description, in the per-user
// data folder: the way back from registry deletions, copied into the prefix by hand while Wine is
// not running. While Wine's server holds the registry (programs of the prefix run), the files lag
// behind what those programs see, so the snapshot is instead an export made through Wine, to be
// imported again with Wine's registry editor.
//
//   <RestorePointsFolder()>/<sequence number>/system.reg, user.reg, userdef.reg
//                                              or HKEY_LOCAL_MACHINE.reg, HKEY_CURRENT_USER.reg,
//                                                 HKEY_USERS.Default.reg
//                                            /restore-point.txt (description, type, prefix, times)
//
// A restore point is made under a hidden temporary name and gets its number only once whole; the
// ten newest are kept.
namespace platform {

// The event types of a restore-point call.
inline constexpr int BEGIN_SYSTEM_CHANGE = 100;
inline constexpr int END_SYSTEM_CHANGE = 101;

// Longer descriptions are cut to this many characters.
inline constexpr std::size_t kRestorePointDescriptionLimit = 63;

inline constexpr const char* kRestorePointNoteName = "restore-point.txt";

// Older restore points than the newest this many are removed when a new one is made.
inline constexpr std::size_t kKeptRestorePoints = 10;

struct RestorePointInfo {
    int eventType = BEGIN_SYSTEM_CHANGE;
    int restorePointType = 0;
    std::int64_t sequenceNumber = 0;  // the restore point an END_SYSTEM_CHANGE closes
    std::string description;
};

struct StateMgrStatus {
    long status = 0;                  // a Win32 error code
    std::int64_t sequenceNumber = 0;  // the restore point begun
};

// PerUserDataFolder()/restore-points
std::filesystem::path RestorePointsFolder();

// Whether the Windows version keeps restore points: Me (the older family's 4.90), XP (5.1) and
// every NT version after 5; not 2000 (5.0) nor Server 2003 (5.2).
bool RestorePointsSupported(const OsVersion& version);

// BEGIN_SYSTEM_CHANGE snapshots the prefix's registry into the next numbered folder and reports
// its number: the hive files, or, while Wine's server holds the registry, its export of the roots
// the change touches (see Registry::ExportWhileHeld). END_SYSTEM_CHANGE marks the restore point of
// info.sequenceNumber as ended. False, with the reason in status->status, when nothing was done (a
// half-made snapshot is removed again).
bool SetRestorePoint(const Prefix& prefix, const RestorePointInfo& info, StateMgrStatus* status,
                     Registry* registry = nullptr,
                     const std::vector<RegRoot>& changing = kEveryRegistryRoot);

// Removes what a process killed while it made a restore point left behind.
void RemoveIncompleteRestorePoints();

}  // namespace platform
