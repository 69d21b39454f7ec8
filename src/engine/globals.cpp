#include "engine/globals.h"

#include <limits>

bool gStopScan = false;
bool gAutoRemoveAfterScan = false;
std::int32_t gMemoryInspected = 0;
std::int32_t gRegistryInspected = 0;
std::int32_t gFilesFolderInspected = 0;
std::int32_t gSoftwareFound = 0;
std::int32_t gProgressTick = 0;
std::string gScanStatusSuffix;
std::string gModulePathCache;
std::string gProcessNameCache;
bool gAlertAnswered = false;
bool gLogRemovals = false;
std::int64_t gRestorePointSeq = 0;
std::string gCurrentHomePage;
std::string gSavedHomePage;

void CountOne(std::int32_t& counter) {
    if (counter < std::numeric_limits<std::int32_t>::max()) {
        ++counter;
    }
}

void ResetEngineGlobals() {
    gStopScan = false;
    gAutoRemoveAfterScan = false;
    gMemoryInspected = 0;
    gRegistryInspected = 0;
    gFilesFolderInspected = 0;
    gSoftwareFound = 0;
    gProgressTick = 0;
    gScanStatusSuffix.clear();
    gModulePathCache.clear();
    gProcessNameCache.clear();
    gAlertAnswered = false;
    gLogRemovals = false;
    gRestorePointSeq = 0;
    gCurrentHomePage.clear();
    gSavedHomePage.clear();
}
