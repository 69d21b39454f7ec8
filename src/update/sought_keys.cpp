#include "update/sought_keys.h"

#include <utility>

SoughtKeys::Sought& SoughtKeys::Entry(std::string lowerKey) {
    hashSlots_[KeyHash{}(lowerKey) % kHashSlots] = true;
    return keys_[std::move(lowerKey)];
}

void SoughtKeys::QueueDeletion(std::string lowerKey) {
    Sought& sought = Entry(std::move(lowerKey));
    if (!sought.queued) {
        sought.queued = true;
        ++queuedDeletions_;
    }
}

void SoughtKeys::CancelDeletion(std::string_view lowerKey) {
    const auto found = keys_.find(lowerKey);
    if (found != keys_.end() && found->second.queued) {
        found->second.queued = false;
        --queuedDeletions_;
    }
}

void SoughtKeys::SeekAddedLine(std::string storedLine, std::string lowerKey) {
    Sought& sought = Entry(std::move(lowerKey));
    sought.addedLines.push_back(addedLines_.size());
    addedLines_.push_back({std::move(storedLine), &sought});
}

bool SoughtKeys::FoundLine(std::string_view storedLine, const Sought& sought) {
    for (const std::size_t number : sought.addedLines) {
        if (addedLines_[number].stored == storedLine) {
            addedLines_[number].standing = true;
        }
    }
    return sought.queued;
}
