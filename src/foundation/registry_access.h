#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "platform/registry.h"

// Small registry procedures that the scans, the shields, the removal and the options share. They
// work on the current machine's registry and swallow every failure: a failed open, read or write
// shows only in the result.

// The root handle of a root code of the definition and safe-list records: "0" classes root, "1"
// current user, "2" local machine, "3" users, "4" current configuration, "5" dynamic data. The code
// is read as a decimal number, blanks around it allowed. Leaves the root's name in gRegRootName;
// any other text gives -1 and an empty gRegRootName.
platform::RegRoot RegRootFromCode(std::string_view code);

// "HKEY_LOCAL_MACHINE" and so on for the six roots of the codes; empty for any other handle.
std::string RegRootName(platform::RegRoot root);

// A value read as the program uses it: a text (REG_SZ or REG_EXPAND_SZ, not expanded), a 32-bit
// signed number (REG_DWORD), or nothing.
using RegVariant = std::variant<std::monostate, std::string, std::int32_t>;

// Reads a value of an open key. -1 with nothing in value when the value is missing or of another
// type; otherwise the registry's result (ERROR_SUCCESS).
long RegQueryValueVariant(platform::RegHandle openKey, std::string_view valueName,
                          RegVariant& value);

// Reads root\keyPath's value as text (a number as its decimal text). text is emptied first; false
// when the key does not open with the mask 0x3F or the value does not read.
bool RegReadValue(platform::RegRoot root, std::string_view keyPath, std::string_view valueName,
                  std::string& text);

// Whether root\keyPath opens with the mask 0x3F, which asks for write rights too: a key the account
// may only read counts as missing.
bool RegKeyExists(platform::RegRoot root, std::string_view keyPath);

// Creates or opens root\keyPath and writes the value: as REG_DWORD when it reads as a whole number
// that fits in 32 bits, else as REG_SZ without the blanks around it.
void RegWriteValue(platform::RegRoot root, std::string_view keyPath, std::string_view valueName,
                   std::string_view value);

// Writes a value into an open key: type 1 as REG_SZ, type 4 as REG_DWORD (ERROR_INVALID_PARAMETER
// when the text is no 32-bit number). Any other type writes nothing and gives ERROR_SUCCESS.
long SetRegistryValueEx(platform::RegHandle openKey, std::string_view valueName, std::uint32_t type,
                        std::string_view value);

// Asks a library to register (true) or unregister itself. Libraries here carry no self-registration
// entries, so there is nothing to call; the removal only needs the call to return. Always true.
bool RegisterServer(std::int32_t windowHandle, std::string_view libraryPath, bool registerIt);

// Deletes one value of root\keyPath ("" the key's default value). The registry's result, which
// most callers leave unread: ERROR_SUCCESS, or why the key did not open or the value did not go.
long RegDeleteNamedValue(platform::RegRoot root, std::string_view keyPath,
                         std::string_view valueName);
