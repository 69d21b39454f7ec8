#include "engine/removal_text.h"

#include <algorithm>
#include <cmath>

#include "localization/globals.h"

namespace {

std::string Message(std::string_view key) {
    return gLanguages->getMessages(key);
}

std::int64_t WholeOr0(const std::optional<double>& number) {
    return number ? std::llround(*number) : 0;
}

}  // namespace

std::string DeleteQuestion(std::string_view quarantineFolder, bool restorePointsSupported) {
    std::string question = Message("MSG_CONFIRM1") + "\r\n\r\n" + Message("MSG_CONFIRM2") +
                           "\r\n\r\n" + std::string(quarantineFolder);
    if (restorePointsSupported) {
        question += "\r\n\r\n" + Message("MSG_CONFIRM3") + "\r\n\r\n" + Message("MSG_CONFIRM4");
    }
    return question;
}

int PercentOf(int item, int count) {
    if (count <= 0) {
        return 0;
    }
    // nearbyint rounds in the current mode, which is to the nearest, a half to the even number.
    return static_cast<int>(std::nearbyint(static_cast<double>(item) * 100.0 / count));
}

std::string RemovingProgressText(int item, int count) {
    return Message("MSG_REMOVING2") + " : " + std::to_string(PercentOf(item, count)) + "% " +
           Message("MSG_COMPLETED");
}

std::int64_t RemovedItemsTotal(const RemovalTally& tally) {
    return WholeOr0(tally.storedTotal) + std::max(0, tally.threatsRemoved) +
           std::max(0, tally.tracesRemoved);
}
