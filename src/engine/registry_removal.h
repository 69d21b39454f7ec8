#pragma once

#include <string>
#include <string_view>

#include "platform/registry.h"

// The registry side of a removal: deleting what a registry trace row names, noting each deletion
// in the quarantine log (quarantine_log.h), and telling afterwards whether it is really gone. A
// deletion the registry refused (a read-only hive, or Wine's server running for the prefix, which
// would write its own copy of the hives over ours) is never logged as done.

// Deletes root\keyPath with everything below it; logs it as "<root as signed decimal>\<keyPath>"
// with "All Values". True when the tree was deleted.
bool RegDeleteKeyTree(platform::RegRoot root, std::string_view keyPath);

// Deletes one value ("" the key's default value) and logs it as "<root's name>\<keyPath>" with the
// value name once it is gone, also when it was not there to begin with. True when it is gone.
bool RegDeleteLoggedValue(platform::RegRoot root, std::string_view keyPath,
                          std::string_view valueName);

// Whether the whole key, or its value valueName, can still be read.
bool RegistryKeyPresent(platform::RegRoot root, std::string_view keyPath);
bool RegistryValuePresent(platform::RegRoot root, std::string_view keyPath,
                          std::string_view valueName);

// "HKEY_CURRENT_USER\Software\Bad", with "\" and the value name after it for a value: how a
// registry entry the removal could not delete is shown to the user.
std::string RegistryEntryLocation(platform::RegRoot root, std::string_view keyPath,
                                  std::string_view valueName);
