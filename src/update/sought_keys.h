#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// What one definition file's pass over its lines looks for, by lower-case key: the keys queued
// for deletion, whose lines go, and the keys of the lines to be added, so that an added line that
// stands in the file already, exactly, is not added again (as when an update cut short after this
// file was replaced runs once more). A line of the file is looked up once for both.
class SoughtKeys {
  public:
    SoughtKeys() = default;
    SoughtKeys(SoughtKeys&&) = default;  // a copy's added lines would point into the original
    SoughtKeys& operator=(SoughtKeys&&) = default;

    void QueueDeletion(std::string lowerKey);
    // Takes back a deletion of the key queued earlier, if any.
    void CancelDeletion(std::string_view lowerKey);
    bool HasDeletions() const { return queuedDeletions_ > 0; }
    // Nothing is sought: the file's lines need no look-up.
    bool Empty() const { return keys_.empty(); }

    // Seeks a line to be added: in stored form (8-bit, encoded, without its line end), with the
    // lower-case key of its decoded text. The lines are numbered from 0 in this order.
    void SeekAddedLine(std::string storedLine, std::string lowerKey);
    std::size_t AddedLineCount() const { return addedLines_.size(); }
    const std::string& AddedLine(std::size_t number) const { return addedLines_[number].stored; }

    // Looks up a line of the file by its key: whether the key is queued for deletion. An added
    // line equal to it is noted as standing in the file.
    bool FindLine(std::string_view storedLine, std::string_view lowerKey) {
        if (!hashSlots_[KeyHash{}(lowerKey) % kHashSlots]) {
            return false;
        }
        const auto found = keys_.find(lowerKey);
        return found != keys_.end() && FoundLine(storedLine, found->second);
    }
    // Whether the added line was found standing in the file; whether its key is queued.
    bool AddedLineStands(std::size_t number) const { return addedLines_[number].standing; }
    bool AddedLineIsQueued(std::size_t number) const { return addedLines_[number].key->queued; }

  private:
    struct Sought {
        bool queued = false;
        std::vector<std::size_t> addedLines;  // numbers of the added lines with this key
    };
    struct Addition {
        std::string stored;
        const Sought* key;  // the entry of its key (entries never move)
        bool standing = false;
    };
    // Looked up by string_view, so that a line's key is not copied.
    struct KeyHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view key) const {
            return std::hash<std::string_view>{}(key);
        }
    };

    // The entry of a key, made when it is new.
    Sought& Entry(std::string lowerKey);
    // Most lines of a large file have a key sought by nothing: only a found key comes here.
    bool FoundLine(std::string_view storedLine, const Sought& sought);

    std::unordered_map<std::string, Sought, KeyHash, std::equal_to<>> keys_;
    // A bit for each slot of the key hashes, set for the slots of the keys sought: a clear bit
    // tells at once that a line's key is sought by nothing, as for most lines of a large file,
    // where the look-up in keys_ would wait on memory for its bucket and entries.
    static constexpr std::size_t kHashSlots = std::size_t{1} << 18;
    std::vector<bool> hashSlots_ = std::vector<bool>(kHashSlots);
    std::vector<Addition> addedLines_;
    std::size_t queuedDeletions_ = 0;
};
