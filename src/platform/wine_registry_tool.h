#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/hive_edit.h"

// The registry of a prefix changed and read through Wine's own registry tool ("reg"), as it must be
// while Wine's server holds it: a file of Wine's registry editor imported in one run, and exports.
namespace platform {

// An edit of one hive, with the name Wine's tools give the hive's top key: "HKEY_LOCAL_MACHINE",
// "HKEY_CURRENT_USER" or "HKEY_USERS\.Default".
struct WineRegistryEdit {
    std::string topKey;
    HiveEdit edit;
};

// The edits, in order, as a file of the registry editor ("Windows Registry Editor Version 5.00",
// UTF-16LE with its byte-order mark), deletions as "[-key]" and "name"=-. Nothing when an edit
// cannot be written there (a name with a NUL or a line break in a key name).
std::optional<std::string> RegistryEditorFile(const std::vector<WineRegistryEdit>& edits);

// Makes every edit with one run of `wine reg import`.
long ImportThroughWine(const std::string& prefixFolder, const std::vector<WineRegistryEdit>& edits);

// Exports each key ("HKLM", "HKCU" or "HKU\\.Default") into its file in the folder
// (HKEY_LOCAL_MACHINE.reg, HKEY_CURRENT_USER.reg, HKEY_USERS.Default.reg) through
// `wine reg export`, all at once.
long ExportThroughWine(const std::string& prefixFolder, const std::filesystem::path& folder,
                       const std::vector<std::string>& keys);

}  // namespace platform
