// The known-spyware phase: the files and folders the definitions name. Only the named paths are
// tested; nothing is searched for and nothing on disk is changed.
#include <string>
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
#include "foundation/safe_list.h"
#include "platform/folder_listings.h"
#include "platform/machine.h"
#include "platform/text_case.h"
#include "ui/frm_main.h"

namespace {

enum class NamedItem { File, Folder };

// What one record names, ready to be tested.
struct NamedTarget {
    std::string path;
    std::string label;  // shown on the status line
    std::string threatName;
    std::string type;
};

// Files from this publisher are part of the system, whatever a definition says.
bool IsSystemPublisher(const std::string& path) {
    return platform::EqualsIgnoringCase(TrimBlanks(GetFileCompanyName(path)),
                                        "Microsoft Corporation");
}

std::optional<NamedTarget> TargetOf(const FileRecord& record, NamedItem kind,
                                    FolderTokenExpander& tokens) {
    const std::string folder = ExpandRecordFolder(record.folder, tokens);
    NamedTarget target{{}, {}, record.threatName, record.extra.value_or("")};
    if (kind == NamedItem::File) {
        target.path = FileRecordTarget(record, folder);
        target.label = TrimBlanks(record.itemName);
    } else {
        // A folder record is only its folder; one without a folder names nothing.
        if (record.folder.empty()) {
            return std::nullopt;
        }
        target.path = folder;
        target.label = FolderRecordLabel(record);
    }
    return target;
}

void ShowProgress(FrmMainForm& window, const std::string& label) {
    const auto phase = ProgressPercent(gFilesFolderInspected, gFileDefCount);
    const auto overall = ProgressPercent(static_cast<double>(gFilesFolderInspected) +
                                             gRegistryDefCount + gCookieDefCount + gExeDefCount,
                                         gDefinitionsTotal);
    if (phase && overall) {
        RefreshScanProgress(
            window, [&label] { return gScanStatusSuffix + "\r\n" + label; }, *phase, *overall);
    }
}

// Lists what the target names when it is there and neither safe, excluded nor the system's own.
void Examine(ResultLists& lists, const NamedTarget& target, NamedItem kind) {
    const bool present =
        kind == NamedItem::File ? FileExists(target.path) : FolderExists(target.path);
    if (!present || IsSafeItem(target.path)) {
        return;
    }
    const bool excluded =
        kind == NamedItem::File ? IsExcluded(target.path) : IsExcludedPath(target.path);
    if (excluded) {
        AddExcludedLine(lists, target.path);
        return;
    }
    if (kind == NamedItem::File && IsSystemPublisher(target.path)) {
        return;
    }
    AddFileTrace(lists, target.path, target.threatName);
    ReportThreat(
        lists, {target.threatName, kind == NamedItem::File ? ResultKind::File : ResultKind::Folder,
                target.path, target.type});
}

// The decoded lines of the definition file; none when a directory search does not find it or it
// cannot be read.
std::vector<std::string> DefinitionLinesOf(std::string_view fileName) {
    if (!FileExists(ProgramFolderFile(fileName))) {
        return {};
    }
    try {
        return ReadDefinitionLines(fileName);
    } catch (const ProgramError&) {
        return {};
    }
}

void ScanNamedItems(FrmMainForm& window, NamedItem kind) {
    const auto lines =
        DefinitionLinesOf(kind == NamedItem::File ? kFileDefinitionFile : kDirectoryDefinitionFile);
    // The pass writes nothing: each folder its records name is listed once for the whole pass.
    const platform::ScopedFolderListings listings(platform::CurrentMachine().paths());
    FolderTokenExpander tokens;
    ResultLists lists = ResultListsOf(window);
    for (const std::string& line : lines) {
        if (gStopScan) {
            break;
        }
        const auto record = ParseFileRecord(line);
        const auto target = record ? TargetOf(*record, kind, tokens) : std::nullopt;
        if (target) {
            CountOne(gFilesFolderInspected);
            ShowProgress(window, target->label);
            if (gStopScan) {
                break;
            }
            Examine(lists, *target, kind);
        }
        forms::DoEvents();
    }
}

}  // namespace

void FrmMainForm::ScanDefinedFiles() {
    ScanNamedItems(*this, NamedItem::File);
}

void FrmMainForm::ScanDefinedFolders() {
    ScanNamedItems(*this, NamedItem::Folder);
}
