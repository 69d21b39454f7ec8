// The registry phase: the keys and values the definitions name. It changes nothing in the
// registry; the removal deletes what the user leaves ticked.
#include <vector>

#include "engine/definition_records.h"
#include "engine/globals.h"
#include "engine/result_rows.h"
#include "engine/scan_progress.h"
#include "forms/host.h"
#include "foundation/definition_files.h"
#include "foundation/exclusion_list.h"
#include "foundation/file_queries.h"
#include "foundation/folder_tokens.h"
#include "foundation/globals.h"
#include "foundation/path_text.h"
#include "foundation/program_error.h"
#include "foundation/program_folder.h"
#include "foundation/registry_access.h"
#include "foundation/safe_list.h"
#include "platform/machine.h"
#include "platform/text_case.h"
#include "ui/frm_main.h"

namespace {

// A record whose root code converted, with the root's name for display.
struct RegistryEntry {
    const RegistryRecord& record;
    platform::RegRoot root;
    std::string rootName;

    // Root name, "\", key path: the whole key.
    std::string KeyLocation() const { return rootName + "\\" + record.keyPath; }
    // The key location, and for a value record "\" and the value name; the form of the safe
    // list's registry entries.
    std::string Location() const {
        return record.IsKeyRecord() ? KeyLocation() : KeyLocation() + "\\" + record.valueName;
    }
};

std::vector<std::string> ReadRegistryDefinitions() {
    try {
        return ReadDefinitionLines(kRegistryDefinitionFile);
    } catch (const ProgramError&) {
        return {};
    }
}

void ShowRegistryProgress(FrmMainForm& window, const RegistryRecord& record) {
    const auto text = [&record] {
        return gScanStatusSuffix + "\r\n" +
               platform::ToLowerText(record.keyPath + "\\" + record.valueName);
    };
    // The cookie and program definitions stand for the two phases that come before this one.
    const double before = static_cast<double>(gCookieDefCount) + gExeDefCount;
    RefreshScanProgress(
        window, text, ProgressPercent(gRegistryInspected, gRegistryDefCount).value_or(-1),
        ProgressPercent(gRegistryInspected + before, gDefinitionsTotal).value_or(-1));
}

bool IsPresent(const RegistryEntry& entry) {
    const RegistryRecord& record = entry.record;
    if (record.IsKeyRecord()) {
        return RegKeyExists(entry.root, TrimBlanks(record.keyPath));
    }
    std::string ignored;
    return RegReadValue(entry.root, record.keyPath, record.valueName, ignored);
}

// A hit: its trace row, then its threat, the first time the scan meets the threat's name. A key
// record without a threat name stands for a threat named after its key; a value record without one
// leaves only its trace.
void ReportRegistryHit(ResultLists& lists, const RegistryEntry& entry) {
    const RegistryRecord& record = entry.record;
    AddRegistryTrace(lists, {entry.root, record.keyPath, record.valueName, record.threatName});
    if (!TrimBlanks(record.threatName).empty()) {
        ReportThreat(
            lists, {record.threatName, ResultKind::Registry, entry.Location(), record.description});
        return;
    }
    if (record.IsKeyRecord() && !IsThreatListed(lists, record.threatName)) {
        AddFoundLine(lists, "RegKey " + record.keyPath + std::string(kFoundSuffix));
        AddThreatRow(lists, {record.keyPath, ResultKind::Registry, entry.Location(), ""});
    }
}

void ScanRegistryRecord(FrmMainForm& window, ResultLists& lists, const RegistryRecord& record) {
    const platform::RegRoot root = RegRootFromCode(record.rootCode);
    if (root == -1) {
        return;
    }
    const RegistryEntry entry{record, root, gRegRootName};
    CountOne(gRegistryInspected);
    ShowRegistryProgress(window, record);
    if (!IsPresent(entry) || IsSafeItem(entry.Location())) {
        return;
    }
    if (IsExcluded(entry.Location()) || IsExcluded(entry.KeyLocation())) {
        AddExcludedLine(lists, entry.Location());
        return;
    }
    ReportRegistryHit(lists, entry);
}

}  // namespace

void FrmMainForm::ScanRegistryDefinitions() {
    if (!FileExists(ProgramFolderFile(kRegistryDefinitionFile))) {
        return;
    }
    FolderTokenExpander tokens;
    ResultLists lists = ResultListsOf(*this);
    // The phase writes nothing: the hives are read once for all its look-ups.
    const platform::ScopedHeldHives held(platform::CurrentMachine().registry());
    for (const std::string& line : ReadRegistryDefinitions()) {
        forms::DoEvents();
        if (gStopScan) {
            return;
        }
        if (const std::optional<RegistryRecord> record = ParseRegistryRecord(line, tokens)) {
            ScanRegistryRecord(*this, lists, *record);
        }
        forms::DoEvents();
    }
}
