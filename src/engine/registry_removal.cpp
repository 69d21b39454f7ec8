#include "engine/registry_removal.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "engine/quarantine_log.h"
#include "engine/system_restore.h"
#include "forms/message_box.h"
#include "foundation/globals.h"
#include "foundation/machine_settings.h"
#include "foundation/open_reg_key.h"
#include "foundation/path_text.h"
#include "foundation/registry_access.h"
#include "platform/file_errors.h"
#include "platform/hive_key_name.h"
#include "platform/hive_tree.h"
#include "platform/machine.h"
#include "platform/restore_points.h"

using namespace platform;

namespace {

using KeyPath = std::vector<std::string>;

bool StartsWith(const KeyPath& path, const KeyPath& start) {
    return path.size() >= start.size() &&
           std::equal(start.begin(), start.end(), path.begin(),
                      [](const std::string& a, const std::string& b) { return NamesEqual(a, b); });
}

// Keys that are no threat's, in whichever hive: the tops of the classes root and the current
// configuration, the program's own machine-wide key and Wine's configuration. Whatever holds one
// of them is kept too.
std::vector<KeyPath> KeptKeys() {
    return {*KeyPathInHive(HKEY_CLASSES_ROOT, {}),
            *KeyPathInHive(HKEY_CURRENT_CONFIG, {}),
            SplitKeyPath(MachineSettingsKeyPath()),
            {"Software", "Wine"}};
}

// Keys whose whole inside is kept: the program's own and Wine's.
std::vector<KeyPath> KeptInside() {
    return {SplitKeyPath(MachineSettingsKeyPath()), {"Software", "Wine"}};
}

struct RegistryRemoval {
    bool held = false;
    bool withheld = false;  // entries stayed because of the hold
    long restorePointError = ERROR_SUCCESS;
    long wineError = ERROR_SUCCESS;
};

RegistryRemoval& CurrentRemoval() {
    static RegistryRemoval removal;
    return removal;
}

std::string RestorePointFailureText(long error) {
    if (IsWineToolError(error)) {
        return "The registry could not be exported through Wine: " + RegistryErrorText(error);
    }
    const std::string folder = RestorePointsFolder().string();
    switch (error) {
        case kErrorRestorePointOpen:
            return "An earlier restore point is still open.";
        case ERROR_ACCESS_DENIED:
            return "This account may not write in the folder " + folder + ".";
        case ERROR_DISK_FULL:
            return "The disk that holds " + folder + " is full.";
        default:
            return "It could not be written in " + folder + " (error " + std::to_string(error) +
                   ").";
    }
}

}  // namespace

void StartRegistryRemoval() {
    CurrentRemoval() = {};
}

void HoldRegistryDeletions(long restorePointError) {
    CurrentRemoval().held = true;
    CurrentRemoval().restorePointError = restorePointError;
}

bool MayDeleteRegistryEntries() {
    RegistryRemoval& removal = CurrentRemoval();
    removal.withheld = removal.withheld || removal.held;
    return !removal.held && removal.wineError == ERROR_SUCCESS;
}

void NoteRegistryDeletionsStored(long result) {
    if (IsWineToolError(result)) {
        CurrentRemoval().wineError = result;
    }
}

void TellWhyRegistryEntriesStayed() {
    const RegistryRemoval removal = std::exchange(CurrentRemoval(), {});
    if (removal.withheld) {
        forms::MsgBox(gProgramName +
                          " could not make a restore point, so it left every registry entry in "
                          "place; they are listed as not deleted. " +
                          RestorePointFailureText(removal.restorePointError),
                      forms::MsgBoxExclamation, gProgramName);
    } else if (removal.wineError != ERROR_SUCCESS) {
        forms::MsgBox(gProgramName +
                          " could not remove the registry entries; they are listed as not "
                          "deleted. " +
                          RegistryErrorText(removal.wineError),
                      forms::MsgBoxExclamation, gProgramName);
    }
}

std::optional<RegistryTarget> RegistryTargetOf(const forms::ListItem& row) {
    const std::string_view rootText = TrimBlanks(row.Text());
    RegistryTarget target{0, std::string(TrimBlanks(row.SubItems(1))),
                          std::string(TrimBlanks(row.SubItems(2)))};
    if (rootText.empty()) {
        return std::nullopt;
    }
    try {
        target.root = static_cast<RegRoot>(std::stol(std::string(rootText)));
    } catch (const std::exception&) {
        return std::nullopt;
    }
    return target;
}

std::vector<RegRoot> TickedRegistryRoots(const forms::ListView& list) {
    std::vector<RegRoot> roots;
    for (int i = 1; i <= list.ListItems.Count(); ++i) {
        const forms::ListItem& row = list.ListItems(i);
        const auto target = row.Checked() ? RegistryTargetOf(row) : std::nullopt;
        if (target && std::find(roots.begin(), roots.end(), target->root) == roots.end()) {
            roots.push_back(target->root);
        }
    }
    return roots;
}

RegistryDeletions::RegistryDeletions() : changes_(CurrentMachine().registry()) {}

bool RegistryDeletions::DeleteValue(RegRoot root, std::string_view keyPath,
                                    std::string_view valueName) {
    const long result = RegDeleteNamedValue(root, keyPath, valueName);
    if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND) {
        return false;
    }
    logged_.emplace_back(RegRootName(root) + "\\" + std::string(keyPath), valueName);
    return true;
}

bool RegistryDeletions::DeleteKeyTree(RegRoot root, std::string_view keyPath) {
    if (CurrentMachine().registry().DeleteKeyTree(root, keyPath) != ERROR_SUCCESS) {
        return false;
    }
    logged_.emplace_back(std::to_string(root) + "\\" + std::string(keyPath), "All Values");
    return true;
}

long RegistryDeletions::Commit() {
    const long stored = changes_.Commit();
    if (stored == ERROR_SUCCESS) {
        for (const auto& [keyText, valueText] : logged_) {
            LogQuarantinedRegistryItem(keyText, valueText);
        }
    }
    logged_.clear();
    return stored;
}

bool IsProtectedRegistryEntry(RegRoot root, std::string_view keyPath, std::string_view valueName) {
    const auto path = KeyPathInHive(root, SplitKeyPath(keyPath));
    if (!path) {
        return true;
    }
    const bool wholeKey = valueName.empty();
    if (path->empty() || (wholeKey && path->size() == 1)) {
        return true;
    }
    const auto holds = [&](const KeyPath& kept) { return wholeKey && StartsWith(kept, *path); };
    const auto inside = [&](const KeyPath& kept) { return StartsWith(*path, kept); };
    const auto kept = KeptKeys();
    const auto keptInside = KeptInside();
    return std::any_of(kept.begin(), kept.end(), holds) ||
           std::any_of(keptInside.begin(), keptInside.end(), inside);
}

bool RegistryKeyPresent(RegRoot root, std::string_view keyPath) {
    OpenRegKey key;
    return key.Open(root, keyPath, KEY_QUERY_VALUE) == ERROR_SUCCESS;
}

bool RegistryValuePresent(RegRoot root, std::string_view keyPath, std::string_view valueName) {
    OpenRegKey key;
    RegValue value;
    return key.Open(root, keyPath, KEY_QUERY_VALUE) == ERROR_SUCCESS &&
           key.registry().QueryValue(key.handle(), valueName, &value) == ERROR_SUCCESS;
}

std::string RegistryEntryLocation(RegRoot root, std::string_view keyPath,
                                  std::string_view valueName) {
    std::string location = RegRootName(root) + "\\" + std::string(keyPath);
    if (!valueName.empty()) {
        location += "\\" + std::string(valueName);
    }
    return location;
}
