#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The pure parts of a removal: the Delete button's question, the progress texts and the
// removed-items total.

// "MSG_CONFIRM1", "MSG_CONFIRM2" and the quarantine folder, each in its own paragraph; where
// restore points are kept also "MSG_CONFIRM3" and "MSG_CONFIRM4".
std::string DeleteQuestion(std::string_view quarantineFolder, bool restorePointsSupported);

// item of count as a whole percentage, a half going to the even number (1 of 8 is 12%, 3 of 8
// 38%); 0 for no items.
int PercentOf(int item, int count);

// "Removing : 38% Completed." for the item-th of count rows.
std::string RemovingProgressText(int item, int count);

// What the last scan found, as the removal counts it, and what stayed behind.
struct RemovalTally {
    std::optional<double> storedTotal;  // the "lblDefRemoved" setting
    std::int32_t threatsFound = 0;      // gSoftwareFound
    std::optional<double> tracesFound;  // lbltracesFound
    int tracesLeft = 0;                 // entries the removal found still there afterwards
    int threatRowsKept = 0;             // ticked threat rows kept because of them
};

// The stored total plus the scan's threats twice (the results and scan panels each show them) and
// its traces; what stayed behind is not counted as removed. A number that cannot be read leaves
// its term out.
std::int64_t RemovedItemsTotal(const RemovalTally& tally);
