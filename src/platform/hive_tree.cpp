#include "platform/hive_tree.h"

#include <algorithm>
#include <chrono>

#include "platform/hive_key_name.h"
#include "platform/hive_utf16.h"
#include "platform/text_case.h"

namespace platform {

namespace {

// A key with more sub-keys than this finds them through its index.
constexpr std::size_t kSubKeysWithoutIndex = 8;

// Files a key added to the sub-keys under its name, making the index once they are many.
void IndexSubKey(HiveKey& key, HiveKey& added) {
    if (key.subKeysByName) {
        (*key.subKeysByName)[ToUpperText(added.name)] = &added;
    } else if (key.subKeys.size() > kSubKeysWithoutIndex) {
        key.subKeysByName = std::make_unique<std::unordered_map<std::string, HiveKey*>>();
        for (const auto& subKey : key.subKeys) {
            (*key.subKeysByName)[ToUpperText(subKey->name)] = subKey.get();
        }
    }
}

// Ticks between 1601-01-01 and 1970-01-01.
constexpr HiveTime kUnixEpochInHiveTime = 116444736000000000;

template <typename Entries>
auto FindEntry(Entries& entries, std::string_view name) {
    return std::find_if(entries.rbegin(), entries.rend(), [&](const HiveEntry& entry) {
        return entry.isValue && NamesEqual(entry.name, name);
    });
}

// Removes every entry of the value except the one at keep (a file may list a name twice; the
// last one counts, and an earlier one must not come back once the value changes).
void EraseOtherEntriesOf(std::vector<HiveEntry>& entries, std::string_view name,
                         const HiveEntry* keep) {
    std::erase_if(entries, [&](const HiveEntry& entry) {
        return &entry != keep && entry.isValue && NamesEqual(entry.name, name);
    });
}

}  // namespace

SubKeyList& SubKeyList::operator=(SubKeyList&& other) noexcept {
    TakeApart();
    std::vector<std::unique_ptr<HiveKey>>::operator=(std::move(other));
    return *this;
}

SubKeyList::~SubKeyList() {
    TakeApart();
}

// Each key is destroyed only once its own sub-keys were moved out, so no destructor nests in
// another.
void SubKeyList::TakeApart() noexcept {
    std::vector<std::unique_ptr<HiveKey>> waiting = std::move(*this);
    clear();
    while (!waiting.empty()) {
        std::unique_ptr<HiveKey> key = std::move(waiting.back());
        waiting.pop_back();
        for (auto& subKey : key->subKeys) {
            waiting.push_back(std::move(subKey));
        }
        key->subKeys.clear();
    }
}

HiveTime HiveTimeNow() {
    const auto sinceUnixEpoch = std::chrono::system_clock::now().time_since_epoch();
    const auto ticks = std::chrono::duration_cast<std::chrono::nanoseconds>(sinceUnixEpoch) / 100;
    return kUnixEpochInHiveTime + ticks.count();
}

long long UnixSecondsOf(HiveTime time) {
    return (time - kUnixEpochInHiveTime) / 10000000;
}

std::vector<std::string> SplitKeyPath(std::string_view text) {
    std::vector<std::string> path;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\\', start), text.size());
        if (end > start) {
            path.emplace_back(text.substr(start, end - start));
        }
        start = end + 1;
    }
    return path;
}

HiveKey* FindSubKey(const HiveKey& key, std::string_view name) {
    if (key.subKeysByName) {
        const auto found = key.subKeysByName->find(ToUpperText(name));
        return found == key.subKeysByName->end() ? nullptr : found->second;
    }
    // The last of a name, as the index keeps it.
    const auto found =
        std::find_if(key.subKeys.rbegin(), key.subKeys.rend(),
                     [&](const auto& subKey) { return NamesEqual(subKey->name, name); });
    return found == key.subKeys.rend() ? nullptr : found->get();
}

HiveKey& AddSubKey(HiveKey& key, std::string_view name) {
    const auto place = std::find_if(key.subKeys.begin(), key.subKeys.end(), [&](const auto& other) {
        return CompareNames(other->name, name) > 0;
    });
    HiveKey& added = **key.subKeys.insert(place, std::make_unique<HiveKey>());
    added.name = std::string(name);
    added.changedAt = HiveTimeNow();
    IndexSubKey(key, added);
    return added;
}

HiveKey& AppendSubKey(HiveKey& key, std::string_view name) {
    HiveKey& added = *key.subKeys.emplace_back(std::make_unique<HiveKey>());
    added.name = std::string(name);
    IndexSubKey(key, added);
    return added;
}

bool RemoveSubKey(HiveKey& key, std::string_view name) {
    const HiveKey* removed = FindSubKey(key, name);
    if (!removed) {
        return false;
    }
    if (key.subKeysByName) {
        key.subKeysByName->erase(ToUpperText(name));
    }
    std::erase_if(key.subKeys, [&](const auto& subKey) { return subKey.get() == removed; });
    return true;
}

HiveKey* FindPath(HiveKey& root, const std::vector<std::string>& path) {
    HiveKey* key = &root;
    for (const auto& name : path) {
        key = FindSubKey(*key, name);
        if (!key) {
            return nullptr;
        }
    }
    return key;
}

HiveKey& CreatePath(HiveKey& root, const std::vector<std::string>& path) {
    HiveKey* key = &root;
    for (const auto& name : path) {
        HiveKey* subKey = FindSubKey(*key, name);
        key = subKey ? subKey : &AddSubKey(*key, name);
    }
    return *key;
}

const HiveEntry* FindValue(const HiveKey& key, std::string_view name) {
    const auto found = FindEntry(key.entries, name);
    return found == key.entries.rend() ? nullptr : &*found;
}

void SetValue(HiveKey& key, std::string_view name, const RegValue& value) {
    key.changedAt = HiveTimeNow();
    const auto found = FindEntry(key.entries, name);
    if (found == key.entries.rend()) {
        // Among the values in name order, as Wine keeps them.
        const auto place = std::find_if(
            key.entries.begin(), key.entries.end(),
            [&](const auto& entry) { return entry.isValue && CompareNames(entry.name, name) > 0; });
        key.entries.insert(place, {true, std::string(name), value, {}});
        return;
    }
    found->value = value;
    found->text.clear();
    EraseOtherEntriesOf(key.entries, name, &*found);
}

bool DeleteValue(HiveKey& key, std::string_view name) {
    if (!FindValue(key, name)) {
        return false;
    }
    key.changedAt = HiveTimeNow();
    EraseOtherEntriesOf(key.entries, name, nullptr);
    return true;
}

std::vector<std::string> SubKeyNames(const HiveKey& key) {
    std::vector<std::string> names;
    names.reserve(key.subKeys.size());
    for (const auto& subKey : key.subKeys) {
        names.push_back(subKey->name);
    }
    return names;
}

std::vector<std::string> ValueNames(const HiveKey& key) {
    std::vector<std::string> names;
    for (const auto& entry : key.entries) {
        const bool known = std::any_of(names.begin(), names.end(), [&](const std::string& name) {
            return NamesEqual(name, entry.name);
        });
        if (entry.isValue && !known) {
            names.push_back(entry.name);
        }
    }
    return names;
}

std::optional<std::string> LinkTarget(const HiveKey& key) {
    const HiveEntry* target = key.isLink ? FindValue(key, "SymbolicLinkValue") : nullptr;
    if (!target || target->value.type != REG_LINK) {
        return std::nullopt;
    }
    const auto& bytes = target->value.data;
    std::u16string units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        units += static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
    }
    return Utf16ToUtf8(units);
}

}  // namespace platform
