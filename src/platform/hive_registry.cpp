#include "platform/hive_registry.h"

#include <algorithm>
#include <unordered_set>

#include "platform/hive_file_store.h"
#include "platform/hive_key_name.h"
#include "platform/text_case.h"
#include "platform/wine_registry_tool.h"

namespace platform {

namespace {

constexpr std::string_view kDefaultUserName = ".Default";
constexpr int kMaxLinkHops = 16;

std::vector<std::string> Joined(std::vector<std::string> head, const std::vector<std::string>& tail,
                                std::size_t from = 0) {
    head.insert(head.end(), tail.begin() + std::min(from, tail.size()), tail.end());
    return head;
}

const std::vector<std::string> kClassesPath = {"Software", "Classes"};
const std::vector<std::string> kCurrentConfigPath = {"System", "CurrentControlSet",
                                                     "Hardware Profiles", "Current"};

// The user's id from the hive's ";; All keys relative to REGISTRY\\User\\<id>" line.
std::string UserSidFromPreamble(const std::string& preamble) {
    constexpr std::string_view kMarker = ";; All keys relative to ";
    const std::size_t marker = preamble.find(kMarker);
    if (marker == std::string::npos) {
        return std::string(kWineUserSid);
    }
    const std::size_t start = marker + kMarker.size();
    const std::size_t end = preamble.find_first_of("\r\n", start);
    const auto path = SplitKeyPath(std::string_view(preamble).substr(start, end - start));
    if (path.size() >= 2 && NamesEqual(path[path.size() - 2], "User")) {
        return path.back();
    }
    return std::string(kWineUserSid);
}

bool IsKnownRoot(RegRoot root) {
    return root == HKEY_CLASSES_ROOT || root == HKEY_CURRENT_USER || root == HKEY_LOCAL_MACHINE ||
           root == HKEY_USERS || root == HKEY_CURRENT_CONFIG;
}

}  // namespace

HiveRegistry::HiveRegistry(HiveSet hives) : hives_(std::move(hives)) {}

std::string HiveRegistry::UserSid() {
    return UserSidFromPreamble(hives_.user->Current().preamble);
}

std::vector<HiveDiagnostic> HiveRegistry::Diagnostics() {
    std::vector<HiveDiagnostic> all;
    for (HiveStore* store : {hives_.machine.get(), hives_.user.get(), hives_.userDefault.get()}) {
        const auto& found = store->Current().diagnostics;
        all.insert(all.end(), found.begin(), found.end());
    }
    return all;
}

// ---- Where a key lives

bool HiveRegistry::IsUsersRoot(RegRoot root, const KeyPath& path) const {
    return root == HKEY_USERS && path.empty();
}

std::optional<std::vector<std::string>> KeyPathInHive(RegRoot root,
                                                      const std::vector<std::string>& path) {
    switch (root) {
        case HKEY_LOCAL_MACHINE:
        case HKEY_CURRENT_USER:
            return path;
        case HKEY_CURRENT_CONFIG:
            return Joined(kCurrentConfigPath, path);
        case HKEY_CLASSES_ROOT:
            return Joined(kClassesPath, path);
        case HKEY_USERS:
            if (path.empty()) {
                return std::nullopt;
            }
            return Joined({}, path, 1);
        default:
            return std::nullopt;
    }
}

// The places a key may live, before links are followed: the classes root looks in the user's
// classes first, then in the machine's; every other root has one place.
std::vector<HiveRegistry::Location> HiveRegistry::Candidates(RegRoot root, const KeyPath& path) {
    auto inHive = KeyPathInHive(root, path);
    if (!inHive) {
        return {};
    }
    switch (root) {
        case HKEY_LOCAL_MACHINE:
        case HKEY_CURRENT_CONFIG:
            return {{hives_.machine.get(), std::move(*inHive)}};
        case HKEY_CURRENT_USER:
            return {{hives_.user.get(), std::move(*inHive)}};
        case HKEY_CLASSES_ROOT:
            return {{hives_.user.get(), *inHive}, {hives_.machine.get(), std::move(*inHive)}};
        case HKEY_USERS:
            if (NamesEqual(path[0], kDefaultUserName)) {
                return {{hives_.userDefault.get(), std::move(*inHive)}};
            }
            if (NamesEqual(path[0], UserSid())) {
                return {{hives_.user.get(), std::move(*inHive)}};
            }
            return {};
        default:
            return {};
    }
}

// Where root\path is (or would be created): the first candidate that holds the key, else the last.
std::optional<HiveRegistry::Location> HiveRegistry::Locate(RegRoot root, const KeyPath& path,
                                                           bool followLastLink) {
    std::optional<Location> located;
    for (auto& candidate : Candidates(root, path)) {
        located = FollowLinks(std::move(candidate), followLastLink);
        if (Find(*located)) {
            break;
        }
    }
    return located;
}

HiveRegistry::Location HiveRegistry::FollowLinks(Location location, bool followLastLink) {
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        const HiveKey* key = &location.store->Current().root;
        std::optional<Location> redirected;
        for (std::size_t i = 0; i < location.path.size() && key && !redirected; ++i) {
            key = FindSubKey(*key, location.path[i]);
            const bool last = i + 1 == location.path.size();
            const auto target = key && (!last || followLastLink) ? LinkTarget(*key) : std::nullopt;
            if (target) {
                redirected = LocationOfLinkTarget(*target);
                if (redirected) {
                    redirected->path = Joined(redirected->path, location.path, i + 1);
                }
            }
        }
        if (!redirected) {
            return location;
        }
        location = std::move(*redirected);
    }
    return location;
}

// Links name their target from the top of the registry: "\Registry\Machine\..." or
// "\Registry\User\<id>\...".
std::optional<HiveRegistry::Location> HiveRegistry::LocationOfLinkTarget(
    const std::string& target) {
    const auto path = SplitKeyPath(target);
    if (path.size() < 2 || !NamesEqual(path[0], "Registry")) {
        return std::nullopt;
    }
    if (NamesEqual(path[1], "Machine")) {
        return Location{hives_.machine.get(), Joined({}, path, 2)};
    }
    if (NamesEqual(path[1], "User") && path.size() >= 3) {
        const auto candidates = Candidates(HKEY_USERS, Joined({}, path, 2));
        if (!candidates.empty()) {
            return candidates.front();
        }
    }
    return std::nullopt;
}

HiveKey* HiveRegistry::Find(const Location& location) {
    return FindPath(location.store->Current().root, location.path);
}

// ---- Open keys

RegHandle HiveRegistry::Remember(RegRoot root, KeyPath path, std::uint32_t access) {
    const RegHandle handle = nextHandle_++;
    opened_[handle] = {root, std::move(path), access};
    return handle;
}

// Checks that the handle is open with the right, and finds its key as it stands now. The users
// root is open without a key of its own.
long HiveRegistry::Resolve(RegHandle handle, std::uint32_t right, Resolved* resolved) {
    const auto found = opened_.find(handle);
    if (found == opened_.end()) {
        return ERROR_INVALID_HANDLE;
    }
    resolved->opened = &found->second;
    if (!(resolved->opened->access & right)) {
        return ERROR_ACCESS_DENIED;
    }
    resolved->usersRoot = IsUsersRoot(resolved->opened->root, resolved->opened->path);
    if (resolved->usersRoot) {
        return ERROR_SUCCESS;
    }
    resolved->location = Locate(resolved->opened->root, resolved->opened->path);
    resolved->key = resolved->location ? Find(*resolved->location) : nullptr;
    return resolved->key ? ERROR_SUCCESS : ERROR_KEY_DELETED;
}

// What OpenKey and CreateKey check first: the result pointer, the root, and the path.
long HiveRegistry::StartRootCall(RegRoot root, std::string_view subKey, RegHandle* key,
                                 KeyPath* path) const {
    if (!key) {
        return ERROR_INVALID_PARAMETER;
    }
    *key = 0;
    if (!IsKnownRoot(root)) {
        return ERROR_INVALID_HANDLE;
    }
    *path = SplitKeyPath(subKey);
    return ERROR_SUCCESS;
}

std::uint32_t HiveRegistry::GrantedAccess(HiveStore& store, std::uint32_t access, long* error) {
    *error = ERROR_SUCCESS;
    if (access & MAXIMUM_ALLOWED) {
        return store.WritePermission() == ERROR_SUCCESS ? KEY_ALL_ACCESS : KEY_READ;
    }
    if (access & KEY_WRITE_RIGHTS) {
        *error = store.WritePermission();
    }
    return access;
}

long HiveRegistry::OpenKey(RegRoot root, std::string_view subKey, std::uint32_t access,
                           RegHandle* key) {
    KeyPath path;
    long error = StartRootCall(root, subKey, key, &path);
    if (error != ERROR_SUCCESS) {
        return error;
    }
    if (IsUsersRoot(root, path)) {
        *key = Remember(root, std::move(path), access & MAXIMUM_ALLOWED ? KEY_ALL_ACCESS : access);
        return ERROR_SUCCESS;
    }
    const auto location = Locate(root, path);
    if (!location || !Find(*location)) {
        return ERROR_FILE_NOT_FOUND;
    }
    const std::uint32_t granted = GrantedAccess(*location->store, access, &error);
    if (error == ERROR_SUCCESS) {
        *key = Remember(root, std::move(path), granted);
    }
    return error;
}

long HiveRegistry::CreateKey(RegRoot root, std::string_view subKey, RegHandle* key) {
    KeyPath path;
    long error = StartRootCall(root, subKey, key, &path);
    if (error != ERROR_SUCCESS) {
        return error;
    }
    const auto location = Locate(root, path);
    if (IsUsersRoot(root, path)) {
        error = ERROR_SUCCESS;
    } else if (!location) {
        error = ERROR_ACCESS_DENIED;  // a new user hive cannot be made under HKEY_USERS
    } else if (Find(*location)) {
        error = location->store->WritePermission();
    } else {
        error = EditAt(*location, HiveEdit::Kind::CreateKey);
    }
    if (error == ERROR_SUCCESS) {
        *key = Remember(root, std::move(path), KEY_ALL_ACCESS);
    }
    return error;
}

void HiveRegistry::CloseKey(RegHandle key) {
    opened_.erase(key);
}

// ---- Values

long HiveRegistry::EditAt(const Location& location, HiveEdit::Kind kind, std::string_view name,
                          const RegValue& value) {
    return location.store->Edit({kind, location.path, std::string(name), value});
}

long HiveRegistry::QueryValue(RegHandle key, std::string_view name, RegValue* value) {
    Resolved resolved;
    const long error = value ? Resolve(key, KEY_QUERY_VALUE, &resolved) : ERROR_INVALID_PARAMETER;
    if (error != ERROR_SUCCESS) {
        return error;
    }
    const HiveEntry* entry = resolved.usersRoot ? nullptr : FindValue(*resolved.key, name);
    if (!entry) {
        return ERROR_FILE_NOT_FOUND;
    }
    *value = entry->value;
    return ERROR_SUCCESS;
}

long HiveRegistry::SetValue(RegHandle key, std::string_view name, const RegValue& value) {
    Resolved resolved;
    const long error = Resolve(key, KEY_SET_VALUE, &resolved);
    if (error != ERROR_SUCCESS || resolved.usersRoot) {
        return resolved.usersRoot ? ERROR_ACCESS_DENIED : error;
    }
    return EditAt(*resolved.location, HiveEdit::Kind::SetValue, name, value);
}

long HiveRegistry::DeleteValue(RegHandle key, std::string_view name) {
    Resolved resolved;
    const long error = Resolve(key, KEY_SET_VALUE, &resolved);
    if (error != ERROR_SUCCESS) {
        return error;
    }
    if (resolved.usersRoot || !FindValue(*resolved.key, name)) {
        return ERROR_FILE_NOT_FOUND;
    }
    return EditAt(*resolved.location, HiveEdit::Kind::DeleteValue, name);
}

// ---- Enumeration

// Under HKEY_CLASSES_ROOT the sub-keys of the user's key and of the machine's, each name once.
long HiveRegistry::EnumSubKeys(RegHandle key, std::vector<std::string>* names) {
    Resolved resolved;
    const long error =
        names ? Resolve(key, KEY_ENUMERATE_SUB_KEYS, &resolved) : ERROR_INVALID_PARAMETER;
    if (error != ERROR_SUCCESS) {
        return error;
    }
    names->clear();
    if (resolved.usersRoot) {
        *names = {std::string(kDefaultUserName), UserSid()};
        return ERROR_SUCCESS;
    }
    std::unordered_set<std::string> listed;
    for (auto& candidate : Candidates(resolved.opened->root, resolved.opened->path)) {
        const HiveKey* current = Find(FollowLinks(std::move(candidate), true));
        for (auto& name : current ? SubKeyNames(*current) : std::vector<std::string>{}) {
            if (listed.insert(ToUpperText(name)).second) {
                names->push_back(std::move(name));
            }
        }
    }
    return ERROR_SUCCESS;
}

long HiveRegistry::EnumValueNames(RegHandle key, std::vector<std::string>* names) {
    Resolved resolved;
    const long error = names ? Resolve(key, KEY_QUERY_VALUE, &resolved) : ERROR_INVALID_PARAMETER;
    if (error != ERROR_SUCCESS) {
        return error;
    }
    *names = resolved.usersRoot ? std::vector<std::string>{} : ValueNames(*resolved.key);
    return ERROR_SUCCESS;
}

// ---- Deleting keys

// A link key is deleted itself, never the tree it points at. Under HKEY_CLASSES_ROOT the key goes
// from the user's classes and from the machine's, so that it is gone from the merged view.
long HiveRegistry::DeleteKeyTree(RegRoot root, std::string_view subKey) {
    if (!IsKnownRoot(root)) {
        return ERROR_INVALID_HANDLE;
    }
    const KeyPath path = SplitKeyPath(subKey);
    if (path.empty()) {
        return ERROR_INVALID_PARAMETER;  // never a whole root
    }
    if (root == HKEY_USERS && path.size() == 1) {
        return ERROR_ACCESS_DENIED;  // a user's whole hive
    }
    long result = ERROR_FILE_NOT_FOUND;
    BeginChanges();
    for (auto& candidate : Candidates(root, path)) {
        const Location location = FollowLinks(std::move(candidate), false);
        if (location.path.empty() || !Find(location)) {
            continue;
        }
        const long error = EditAt(location, HiveEdit::Kind::DeleteKey);
        if (result == ERROR_FILE_NOT_FOUND || error != ERROR_SUCCESS) {
            result = error;
        }
    }
    const long stored = CommitChanges();
    return result == ERROR_SUCCESS ? stored : result;
}

void HiveRegistry::HoldHives(bool hold) {
    for (HiveStore* store : {hives_.machine.get(), hives_.user.get(), hives_.userDefault.get()}) {
        store->Hold(hold);
    }
}

void HiveRegistry::BeginChanges() {
    if (hives_.writes) {
        hives_.writes->Begin();
    }
}

long HiveRegistry::CommitChanges() {
    return hives_.writes ? hives_.writes->Commit() : ERROR_SUCCESS;
}

// Each root's keys live in Wine's machine key, user key or both (the classes root); a key under
// HKEY_USERS may be the user's or the default user's.
std::optional<long> HiveRegistry::ExportWhileHeld(const std::filesystem::path& folder,
                                                  const std::vector<RegRoot>& roots) {
    if (!hives_.writes || !hives_.writes->ServerRuns()) {
        return std::nullopt;
    }
    std::vector<std::string> keys;
    const auto add = [&](bool wanted, const char* key) {
        if (wanted) {
            keys.push_back(key);
        }
    };
    const auto any = [&](std::initializer_list<RegRoot> of) {
        return std::find_first_of(roots.begin(), roots.end(), of.begin(), of.end()) != roots.end();
    };
    add(any({HKEY_LOCAL_MACHINE, HKEY_CLASSES_ROOT, HKEY_CURRENT_CONFIG}), "HKLM");
    add(any({HKEY_CURRENT_USER, HKEY_CLASSES_ROOT, HKEY_USERS}), "HKCU");
    add(any({HKEY_USERS}), "HKU\\.Default");
    return ExportThroughWine(hives_.writes->PrefixFolder(), folder, keys);
}

std::unique_ptr<HiveRegistry> MakeMemoryRegistry() {
    HiveSet hives;
    hives.machine = std::make_unique<MemoryHiveStore>();
    hives.user = std::make_unique<MemoryHiveStore>();
    hives.userDefault = std::make_unique<MemoryHiveStore>();
    return std::make_unique<HiveRegistry>(std::move(hives));
}

}  // namespace platform
