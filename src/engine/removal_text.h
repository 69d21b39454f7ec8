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

// What a removal took out of the result lists, for the removed-items total.
struct RemovalTally {
    std::optional<double> storedTotal;  // the "lblDefRemoved" setting
    int threatsRemoved = 0;             // threat rows the removal dropped
    int tracesRemoved = 0;              // file, folder and registry trace rows it dropped
};

// The stored total plus each threat and each trace the removal took away, once; what stayed behind
// keeps its rows and is not counted. A stored total that cannot be read counts as 0.
std::int64_t RemovedItemsTotal(const RemovalTally& tally);
