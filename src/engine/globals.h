#pragma once

#include <cstdint>
#include <string>

// The engine's program-wide values, in one place so that tests can reset them.

// --- The running scan. The driver (scan_driver.cpp) zeroes the counters and clears the stop flag
// when a scan starts; every phase adds to its own counter and reads the stop flag before each item.

// Set by the stop commands; every phase loop ends at its next test of it. It keeps its value after
// a scan until the next one starts, so a stop given while no scan runs ends the next shield pass.
extern bool gStopScan;
// Set by the scheduler just before it starts a scan whose automatic removal is ticked; the driver
// then removes what the scan found.
extern bool gAutoRemoveAfterScan;

// Items examined by the memory phase (the cookie phase, which runs before it, uses it for its own
// progress too), by the registry phase and by the file and folder phases.
extern std::int32_t gMemoryInspected;
extern std::int32_t gRegistryInspected;
extern std::int32_t gFilesFolderInspected;
// Distinct threats found: one per threat row (result_rows.h), plus the programs the memory phase
// stops.
extern std::int32_t gSoftwareFound;
// Progress calls since the last repaint, 0 to 99 (scan_progress.h).
extern std::int32_t gProgressTick;
// The running phase's caption followed by ": "; the phases show it above the current item.
extern std::string gScanStatusSuffix;

// --- The memory scan and its shield (memory_scan.h, spyware_alert.h).

// Every program definition as a full upper-case program path, each between two "|"; rebuilt on
// every check of the newer platform family.
extern std::string gModulePathCache;
// The decoded program definitions, each line ended by CR LF; read once by the older platform
// family's check and kept (emptied only when a stop interrupts its reading).
extern std::string gProcessNameCache;
// Set by the spyware alert's STOP and ALLOW; the check that raised the alert waits for it.
extern bool gAlertAnswered;

// --- The removal (removal.cpp).

// Set only by the removal sequence: true for its first worker run, whose quarantine copies and
// registry deletions go into the quarantine log, false for the second (quarantine_log.h).
extern bool gLogRemovals;
// The sequence number of the open restore point (system_restore.h); 0 when none is open.
extern std::int64_t gRestorePointSeq;

// --- The home-page shield (home_page_shield.h).

// The browser's start page as the shield read it at its last tick; "" when it could not be read.
extern std::string gCurrentHomePage;
// The protected start page, loaded from the setting "Homepage" at every tick.
extern std::string gSavedHomePage;

// Adds 1 to a counter; a counter at the largest 32-bit value keeps that value.
void CountOne(std::int32_t& counter);

// Puts every value back to its state at process start.
void ResetEngineGlobals();
