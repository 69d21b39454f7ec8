#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/registry.h"

// The key tree of one hive. The same tree serves the registry in memory and the registry over
// Wine's hive files: besides keys and values it keeps what a file held that the registry does not
// interpret (options, comments, unreadable lines) and each key's text as read, so that writing the
// hive back changes only the keys that changed.
namespace platform {

// A moment as hive files stamp keys: 100-nanosecond ticks since 1601-01-01 UTC.
using HiveTime = std::int64_t;
HiveTime HiveTimeNow();
long long UnixSecondsOf(HiveTime time);

// One item of a key's body, in the order of the file: a value, or a line kept as it stood
// ("#time=", "#link", "#class=", comments, lines that could not be read).
struct HiveEntry {
    bool isValue = false;
    std::string name;  // the value's name; "" is the key's default value
    RegValue value;
    // The entry's lines as read, with their line ends. Empty for a value set since: such a value
    // is written in the hive's own layout.
    std::string text;
};

struct HiveKey;

// The sub-keys a key owns. A tree read from a file may be a million keys deep, more than the call
// stack holds: a tree is taken apart here in a loop, never by each key's destructor calling the
// next one's.
class SubKeyList : public std::vector<std::unique_ptr<HiveKey>> {
  public:
    SubKeyList() = default;
    SubKeyList(SubKeyList&&) noexcept = default;
    SubKeyList& operator=(SubKeyList&& other) noexcept;
    ~SubKeyList();

  private:
    void TakeApart() noexcept;
};

struct HiveKey {
    std::string name;
    SubKeyList subKeys;  // in the order of the file, new ones by name
    // The same sub-keys by upper-case name, once there are more than a few: a key may have
    // thousands (Software\Classes), but most have one or none, and a hive may have millions.
    std::unique_ptr<std::unordered_map<std::string, HiveKey*>> subKeysByName;
    std::vector<HiveEntry> entries;
    bool isLink = false;  // a symbolic link ("#link"); its target is the value SymbolicLinkValue

    // The key's own section in its file; fileOrder -1 means the file had none (a new key, or one
    // the file only implied through the keys below it).
    long fileOrder = -1;
    std::string leadingLines;  // the blank lines before the header
    std::string headerLine;    // "[path] seconds" with its line end, as read
    // Set when the key changed: its section is then written afresh, stamped with this time.
    std::optional<HiveTime> changedAt;
};

struct HiveDiagnostic {
    std::string file;
    int line = 0;
    std::string message;
};

// Lines after a header that could not be read: kept, in their place, without a key.
struct OrphanBlock {
    long fileOrder = 0;
    std::string text;
};

struct Hive {
    std::string preamble;  // the lines before the first key: version, ";;" comments, "#arch="
    HiveKey root;
    std::vector<OrphanBlock> orphans;
    std::vector<HiveDiagnostic> diagnostics;
};

// The key names of a path such as "Software\\Vendor"; empty names (repeated "\\") are skipped.
std::vector<std::string> SplitKeyPath(std::string_view text);

// The path of root\path from the top of the hive it lives in: the classes root and the current
// configuration are keys of the machine's hive (the classes root of the user's too); below
// HKEY_USERS the first name is the hive. Nothing for HKEY_USERS itself or an unknown root.
std::optional<std::vector<std::string>> KeyPathInHive(RegRoot root,
                                                      const std::vector<std::string>& path);

HiveKey* FindSubKey(const HiveKey& key, std::string_view name);
// Adds a key among its siblings in name order, as Wine lists them, stamped as new.
HiveKey& AddSubKey(HiveKey& key, std::string_view name);
// Adds a key after its siblings, as a file lists it.
HiveKey& AppendSubKey(HiveKey& key, std::string_view name);
bool RemoveSubKey(HiveKey& key, std::string_view name);

// Follows a path of key names (no links); nullptr when a key on the way is missing.
HiveKey* FindPath(HiveKey& root, const std::vector<std::string>& path);
// Follows a path, adding the keys that are missing.
HiveKey& CreatePath(HiveKey& root, const std::vector<std::string>& path);

const HiveEntry* FindValue(const HiveKey& key, std::string_view name);
// Replaces the value, or adds it among the values in name order.
void SetValue(HiveKey& key, std::string_view name, const RegValue& value);
bool DeleteValue(HiveKey& key, std::string_view name);

std::vector<std::string> SubKeyNames(const HiveKey& key);
// Each value name once, in the order of the file.
std::vector<std::string> ValueNames(const HiveKey& key);

// Calls visit(key, depth) for root (depth 0) and every key below it, each key before its sub-keys
// and the sub-keys in their order. A loop, not recursion, for trees of any depth.
template <typename Key, typename Visit>
void ForEachKey(Key& root, Visit visit) {
    std::vector<std::pair<Key*, std::size_t>> waiting{{&root, 0}};
    while (!waiting.empty()) {
        const auto [key, depth] = waiting.back();
        waiting.pop_back();
        visit(*key, depth);
        for (auto subKey = key->subKeys.rbegin(); subKey != key->subKeys.rend(); ++subKey) {
            waiting.emplace_back(subKey->get(), depth + 1);
        }
    }
}

// The target of a link key as the file gives it ("\Registry\Machine\System\ControlSet001").
std::optional<std::string> LinkTarget(const HiveKey& key);

}  // namespace platform
