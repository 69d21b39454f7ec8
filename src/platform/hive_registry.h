#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/hive_store.h"
#include "platform/registry.h"

namespace platform {

// The security id Wine gives the prefix's one user, when its hive does not name one.
inline constexpr std::string_view kWineUserSid = "S-1-5-21-0-0-0-1000";

class HiveWriteGroup;

// The three hives of a Windows installation.
struct HiveSet {
    // For hives in files: the group that stores their edits together (declared first, so that it
    // outlives the stores that refer to it).
    std::shared_ptr<HiveWriteGroup> writes;
    std::unique_ptr<HiveStore> machine;      // HKEY_LOCAL_MACHINE
    std::unique_ptr<HiveStore> user;         // HKEY_CURRENT_USER, HKEY_USERS\<the user's id>
    std::unique_ptr<HiveStore> userDefault;  // HKEY_USERS\.Default
};

// The registry over three hives, with the roots Windows shows: HKEY_CLASSES_ROOT is the user's
// Software\Classes over the machine's, HKEY_CURRENT_CONFIG the machine's current hardware
// profile; HKEY_DYN_DATA and HKEY_PERFORMANCE_DATA never open. Symbolic link keys are followed.
class HiveRegistry : public Registry {
  public:
    explicit HiveRegistry(HiveSet hives);

    long OpenKey(RegRoot root, std::string_view subKey, std::uint32_t access,
                 RegHandle* key) override;
    long CreateKey(RegRoot root, std::string_view subKey, RegHandle* key) override;
    void CloseKey(RegHandle key) override;
    long QueryValue(RegHandle key, std::string_view name, RegValue* value) override;
    long SetValue(RegHandle key, std::string_view name, const RegValue& value) override;
    long DeleteValue(RegHandle key, std::string_view name) override;
    long EnumSubKeys(RegHandle key, std::vector<std::string>* names) override;
    long EnumValueNames(RegHandle key, std::vector<std::string>* names) override;
    long DeleteKeyTree(RegRoot root, std::string_view subKey) override;
    void HoldHives(bool hold) override;
    void BeginChanges() override;
    long CommitChanges() override;
    std::optional<long> ExportWhileHeld(const std::filesystem::path& folder,
                                        const std::vector<RegRoot>& roots) override;

    // What could not be read in the hives as they stand now, by file and line.
    std::vector<HiveDiagnostic> Diagnostics();
    // The user's security id, the name of the user's key under HKEY_USERS.
    std::string UserSid();

    HiveStore& MachineHive() { return *hives_.machine; }
    HiveStore& UserHive() { return *hives_.user; }
    HiveStore& UserDefaultHive() { return *hives_.userDefault; }

  private:
    using KeyPath = std::vector<std::string>;
    struct OpenedKey {
        RegRoot root;
        KeyPath path;
        std::uint32_t access;
    };
    // A key's place in one hive (the key itself may be missing).
    struct Location {
        HiveStore* store;
        KeyPath path;
    };

    std::vector<Location> Candidates(RegRoot root, const KeyPath& path);
    std::optional<Location> Locate(RegRoot root, const KeyPath& path, bool followLastLink = true);
    Location FollowLinks(Location location, bool followLastLink);
    std::optional<Location> LocationOfLinkTarget(const std::string& target);
    bool IsUsersRoot(RegRoot root, const KeyPath& path) const;
    static HiveKey* Find(const Location& location);

    // An open key as it stands now.
    struct Resolved {
        const OpenedKey* opened = nullptr;
        bool usersRoot = false;  // HKEY_USERS itself, which has no key of its own
        std::optional<Location> location;
        HiveKey* key = nullptr;
    };
    long Resolve(RegHandle handle, std::uint32_t right, Resolved* resolved);
    long StartRootCall(RegRoot root, std::string_view subKey, RegHandle* key, KeyPath* path) const;
    RegHandle Remember(RegRoot root, KeyPath path, std::uint32_t access);
    static long EditAt(const Location& location, HiveEdit::Kind kind, std::string_view name = {},
                       const RegValue& value = {});
    std::uint32_t GrantedAccess(HiveStore& store, std::uint32_t access, long* error);

    HiveSet hives_;
    std::map<RegHandle, OpenedKey> opened_;
    RegHandle nextHandle_ = 1;
};

// A registry that lives in memory only, with the same behaviour as one over hive files.
std::unique_ptr<HiveRegistry> MakeMemoryRegistry();

}  // namespace platform
