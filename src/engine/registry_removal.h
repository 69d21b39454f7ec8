#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "forms/list_view.h"
#include "platform/registry.h"

// The registry side of a removal: deleting what a registry trace row names, noting each deletion
// in the quarantine log (quarantine_log.h), and telling afterwards whether it is really gone. A
// deletion the registry refused (a read-only hive, or Wine's tool failing while Wine's server holds
// the registry) is never logged as done.

// What a registry trace row names, read as the removal reads it: all three fields trimmed. A root
// itself (an empty key path) is named too, so that it is kept and listed as every protected entry
// is, never dropped as if removed. Nothing when the root is no number.
struct RegistryTarget {
    platform::RegRoot root = 0;
    std::string keyPath;
    std::string valueName;
};
std::optional<RegistryTarget> RegistryTargetOf(const forms::ListItem& row);

// The roots of the ticked rows of the registry trace list: what a removal will change.
std::vector<platform::RegRoot> TickedRegistryRoots(const forms::ListView& list);

// Deletions made as one change of the registry (platform::ScopedRegistryChanges): one write of
// each hive file, or one run of Wine's registry tool while Wine's server holds the registry. Each
// is logged once the change is stored; the reads see them at once.
class RegistryDeletions {
  public:
    RegistryDeletions();
    RegistryDeletions(const RegistryDeletions&) = delete;
    RegistryDeletions& operator=(const RegistryDeletions&) = delete;

    // One value ("" the key's default value), logged as "<root's name>\<keyPath>" with the value
    // name once it is gone, also when it was not there to begin with. False when refused.
    bool DeleteValue(platform::RegRoot root, std::string_view keyPath, std::string_view valueName);
    // root\keyPath with everything below it, logged as "<root as signed decimal>\<keyPath>" with
    // "All Values". False when it was not deleted.
    bool DeleteKeyTree(platform::RegRoot root, std::string_view keyPath);

    // Stores the deletions, then logs them. ERROR_SUCCESS, or why none of them is stored.
    long Commit();

  private:
    platform::ScopedRegistryChanges changes_;
    std::vector<std::pair<std::string, std::string>> logged_;
};

// The registry side of one removal sequence. Where a restore point is promised, no registry entry
// goes without one; after Wine's registry tool failed, the removal tries no more. Either is told
// to the user once, when the removal ends.
void StartRegistryRemoval();
void HoldRegistryDeletions(long restorePointError);
// Whether the removal may delete the registry entries it is about to delete.
bool MayDeleteRegistryEntries();
void NoteRegistryDeletionsStored(long result);
void TellWhyRegistryEntriesStayed();

// What a removal never deletes, whatever a definition names: a root or a value right at one, a key
// right below the top of a hive (HKEY_LOCAL_MACHINE\Software, HKEY_CURRENT_USER\Software,
// HKEY_USERS\.Default\System,
// ...), a key holding the program's own machine-wide key or Wine's configuration keys, or anything
// inside those two. valueName "" stands for the whole key.
bool IsProtectedRegistryEntry(platform::RegRoot root, std::string_view keyPath,
                              std::string_view valueName);

// Whether the whole key, or its value valueName, can still be read.
bool RegistryKeyPresent(platform::RegRoot root, std::string_view keyPath);
bool RegistryValuePresent(platform::RegRoot root, std::string_view keyPath,
                          std::string_view valueName);

// "HKEY_CURRENT_USER\Software\Bad", with "\" and the value name after it for a value: how a
// registry entry the removal could not delete is shown to the user.
std::string RegistryEntryLocation(platform::RegRoot root, std::string_view keyPath,
                                  std::string_view valueName);
