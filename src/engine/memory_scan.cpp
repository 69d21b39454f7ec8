#include "engine/memory_scan.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "engine/globals.h"
#include "engine/memory_matching.h"
#include "engine/process_stopping.h"
#include "engine/result_rows.h"
#include "engine/scan_progress.h"
#include "engine/spyware_alert.h"
#include "forms/host.h"
#include "forms/message_box.h"
#include "foundation/definition_files.h"
#include "foundation/exclusion_list.h"
#include "foundation/file_queries.h"
#include "foundation/globals.h"
#include "foundation/line_codec.h"
#include "foundation/path_text.h"
#include "foundation/program_error.h"
#include "foundation/program_folder.h"
#include "localization/globals.h"
#include "platform/text_case.h"
#include "platform/text_lines.h"
#include "ui/frm_main.h"

namespace {

using platform::ProcessId;

constexpr std::string_view kSystem32 = "SYSTEM32\\";
constexpr std::string_view kOperatingSystemCompany = "Microsoft Corporation";
// The program's own helper, which definitions may name but which is never reported.
constexpr std::string_view kOwnHelperProgram = "AdwareProcessHelper.exe";
// A process snapshot names each program in a field of this many characters.
constexpr std::size_t kExeFileFieldLength = 260;

// Inside a scan the scan command is disabled; the memory shield runs with it enabled.
bool IsInsideScan() {
    return !FrmMain().cmdScan.Enabled();
}

void ShowProgress(std::string_view item, std::int64_t overallPart) {
    RefreshScanProgress(
        FrmMain(), [item] { return gScanStatusSuffix + "\r\n" + std::string(item); },
        ProgressPercent(gMemoryInspected, gExeDefCount).value_or(-1),
        ProgressPercent(overallPart, gDefinitionsTotal).value_or(-1));
}

// The decoded lines of ExeDefinition.dat; none when it is missing or cannot be read.
std::optional<std::vector<std::string>> ReadProgramDefinitions() {
    if (!FileExists(ProgramFolderFile(kExeDefinitionFile))) {
        return std::nullopt;
    }
    try {
        return ReadDefinitionLines(kExeDefinitionFile);
    } catch (const ProgramError&) {
        return std::nullopt;
    }
}

bool IsOperatingSystemCompany(std::string_view company) {
    return platform::EqualsIgnoringCase(TrimBlanks(company), kOperatingSystemCompany);
}

std::string StoppedLine(std::string_view name, bool stopped, std::string_view stoppedEnding) {
    const std::string ending = stopped ? std::string(stoppedEnding) : " could not be stopped.";
    return "Detected in the memory : " + std::string(name) + ending;
}

void AddExcludedProgram(std::string_view name) {
    ResultLists lists = ResultListsOf(FrmMain());
    AddExcludedLine(lists, std::string(name));
}

void AddMemoryLine(const std::string& text) {
    ResultLists lists = ResultListsOf(FrmMain());
    AddFoundLine(lists, text, ResultKind::File);
}

// --- The newer platform family.

// What the module path cache is made of: the bytes of ExeDefinition.dat (by their hash, as a
// file rewritten in place within the same clock tick keeps its size and time) and the folders of
// the tokens.
struct ModulePathSource {
    std::optional<std::size_t> definitions;
    std::vector<std::string> tokenFolders;
    std::string driveRoot;
    bool operator==(const ModulePathSource&) const = default;
};

struct BuiltModulePaths {
    ModulePathSource source;
    std::size_t cacheSize = 0;  // tells a cache emptied since from the one built
    ModulePathIndex index;      // of the cache as built
};

std::optional<BuiltModulePaths>& LastBuiltModulePaths() {
    static std::optional<BuiltModulePaths> built;
    return built;
}

// The stored bytes of ExeDefinition.dat go into the source by their hash, and are decoded from the
// same read when the cache is built again: the source always tells the definitions it was made of.
ModulePathSource CurrentModulePathSource(FolderTokenExpander& tokens,
                                         const std::optional<std::string>& bytes) {
    // The folders of the tokens take a hundred registry look-ups: the hives are looked at once.
    const platform::ScopedHeldHives held(platform::CurrentMachine().registry());
    return {bytes ? std::optional(std::hash<std::string>{}(*bytes)) : std::nullopt,
            tokens.TokenFolders(), tokens.SystemDriveRoot()};
}

// Outside a scan nothing shows the cache being built, and the shield builds it every few seconds:
// when neither the definitions nor the folders their tokens stand for changed, it is taken as the
// last pass left it. A scan builds it afresh, showing each line.
void BuildModulePathCache(bool insideScan) {
    const std::string path = ProgramFolderFile(kExeDefinitionFile);
    std::optional<std::string> bytes(std::in_place);
    if (platform::CurrentMachine().files().ReadBytes(path, &*bytes) != platform::ERROR_SUCCESS) {
        bytes.reset();
    }
    FolderTokenExpander tokens;
    ModulePathSource source = CurrentModulePathSource(tokens, bytes);
    std::optional<BuiltModulePaths>& built = LastBuiltModulePaths();
    if (!insideScan && !gStopScan && built && built->source == source &&
        built->cacheSize == gModulePathCache.size()) {
        return;
    }
    built.reset();
    gModulePathCache.clear();
    if (!bytes || !FileExists(path)) {
        built = BuiltModulePaths{std::move(source), 0, {}};
        return;
    }
    LockWindowRedraw(FrmMain(), false);
    for (const std::string_view stored : platform::SplitCrLfLineViews(*bytes)) {
        if (gStopScan) {
            gModulePathCache.clear();
            break;
        }
        const std::string line = DecodeStoredLine(stored);
        if (const std::optional<ProgramRecord> record = ParseProgramRecord(line)) {
            AddToModulePathCache(gModulePathCache, ProgramRecordPath(*record, tokens));
        }
        if (insideScan) {
            CountOne(gMemoryInspected);
            ShowProgress(std::string_view(line).substr(0, line.find('=')),
                         std::int64_t{gMemoryInspected} + gCookieDefCount);
            forms::DoEvents();
        }
        LockWindowRedraw(FrmMain(), false);
        forms::DoEvents();
    }
    gModulePathCache = platform::ToUpperText(gModulePathCache);
    if (!gStopScan) {
        built = BuiltModulePaths{std::move(source), gModulePathCache.size(),
                                 ModulePathIndex(gModulePathCache)};
    }
}

// A pass looks nothing up after a build the scan stopped: it stops too.
bool IsInModulePaths(std::string_view path) {
    const std::optional<BuiltModulePaths>& built = LastBuiltModulePaths();
    return built && built->index.Contains(gModulePathCache, path);
}

// The program path a process is compared by: upper case, a system-folder path as the machine
// names its system folder.
std::string ComparablePath(std::string_view modulePath, const std::string& systemFolder) {
    return platform::ToUpperText(ExpandSystem32Path(TrimBlanks(modulePath), systemFolder));
}

// The name a process is listed by: its program file name, "unknown" when its path names none.
std::string ListedName(const platform::ProcessEntry& process) {
    const std::string name = GetFileNameFromPath(process.programPath);
    return name.empty() ? "unknown" : name;
}

void ExamineModuleOf(const platform::ProcessEntry& process, const std::string& systemFolder) {
    const std::string path = ComparablePath(process.programPath, systemFolder);
    if (!IsInModulePaths(path)) {
        return;
    }
    const std::string company = GetFileCompanyName(path);
    if (IsOperatingSystemCompany(company)) {
        return;
    }
    // The name is taken from the upper-case path, so the scan log shows it in upper case.
    const std::string name = GetFileNameFromPath(path);
    if (IsExcluded(name)) {
        AddExcludedProgram(name);
        return;
    }
    if (platform::EqualsIgnoringCase(TrimBlanks(name), kOwnHelperProgram)) {
        return;
    }
    ReportRunningSpyware(name, company, RunningProgram{process.id, process.programPath});
    CountOne(gSoftwareFound);
}

// --- The older platform family.

// The program path in a snapshot entry, read as the fixed-size field the snapshot fills.
std::string SnapshotProgramPath(std::string_view programPath) {
    std::string field(programPath.substr(0, kExeFileFieldLength));
    field.resize(kExeFileFieldLength, '\0');
    const std::string path = DropLastChar(field);
    return path.substr(0, path.find('\0'));
}

void BuildProcessNameCache(bool insideScan) {
    const std::optional<std::vector<std::string>> lines = ReadProgramDefinitions();
    if (!lines) {
        return;
    }
    for (const std::string& line : *lines) {
        if (gStopScan) {
            gProcessNameCache.clear();
            break;
        }
        gProcessNameCache.append(line).append("\r\n");
        CountOne(gMemoryInspected);
        if (insideScan) {
            ShowProgress(line, std::int64_t{gMemoryInspected} + gCookieDefCount);
        }
        forms::DoEvents();
    }
}

void CountCachedDefinitions() {
    const auto lines = static_cast<std::int64_t>(SplitAt(gProcessNameCache, '\n').size()) - 1;
    gMemoryInspected = static_cast<std::int32_t>(std::min<std::int64_t>(
        std::int64_t{gMemoryInspected} + lines, std::numeric_limits<std::int32_t>::max()));
}

void CountRunningItem() {
    forms::Label& label = FrmMain().lblTotalNoOfRunningItems;
    std::int64_t count = 0;
    try {
        count = std::stoll(label.Caption());
    } catch (const std::exception&) {
        count = 0;
    }
    label.SetCaption(std::to_string(count + 1));
}

// Outside a scan the older family asks with a Yes/No box: Yes stops the program, No excludes it.
void AskAboutProgram(std::string_view name, ProcessId id) {
    const std::string text = gLanguages->getMessages("MSG_FOUND1") + platform::ToUpperText(name) +
                             gLanguages->getMessages("MSG_FOUND2") + std::string(name) +
                             gLanguages->getMessages("MSG_FOUND3");
    const auto answer =
        forms::MsgBox(text, forms::MsgBoxYesNo | forms::MsgBoxQuestion, gProgramName + "  - Alert");
    if (answer == forms::MsgBoxResult::Yes) {
        if (!KillProcessById(id)) {
            TellCouldNotBeStopped(name);
        }
        CountOne(gSoftwareFound);
    } else {
        AddExclusion(TrimBlanks(name));
    }
}

void ExamineSnapshotEntry(const platform::ProcessEntry& entry, std::string_view upperCache,
                          bool insideScan) {
    CountRunningItem();
    const std::string path = SnapshotProgramPath(entry.programPath);
    const std::string name = platform::ToUpperText(TrimBlanks(GetFileNameFromPath(path)));
    if (!IsListedProgramName(upperCache, name) ||
        IsOperatingSystemCompany(GetFileCompanyName(path))) {
        return;
    }
    if (IsExcluded(name)) {
        AddExcludedProgram(name);
        return;
    }
    if (insideScan) {
        const bool stopped = KillProcessById(entry.id);
        AddMemoryLine(StoppedLine(name, stopped, " and was stopped being from ruuning."));
        CountOne(gSoftwareFound);
    } else {
        AskAboutProgram(name, entry.id);
    }
}

}  // namespace

void ScanMemoryByPlatform() {
    switch (platform::CurrentMachine().Version().platformId) {
        case platform::VER_PLATFORM_WIN32_WINDOWS:
            ScanRunningProcesses9x();
            break;
        case platform::VER_PLATFORM_WIN32_NT:
            ScanRunningModules();
            break;
        default:
            break;
    }
}

void ScanRunningModules() {
    const bool insideScan = IsInsideScan();
    // The processes that can be opened, each with its first module, read once for the whole pass:
    // the shield makes a pass every few seconds.
    const std::vector<platform::ProcessEntry> running =
        platform::CurrentProcesses().Snapshot().value_or(std::vector<platform::ProcessEntry>{});
    BuildModulePathCache(insideScan);
    FrmMain().lblTotalNoOfRunningItems.SetCaption(std::to_string(running.size()));
    // The system folder is read from the registry: once for the pass.
    const std::string systemFolder = GetSystemDir();
    for (const platform::ProcessEntry& process : running) {
        CountOne(gMemoryInspected);
        if (insideScan) {
            ShowProgress(ListedName(process), std::int64_t{gMemoryInspected} + gExeDefCount);
        }
        if (gStopScan) {
            break;
        }
        ExamineModuleOf(process, systemFolder);
        forms::DoEvents();
    }
}

void ScanRunningProcesses9x() {
    const bool insideScan = IsInsideScan();
    if (TrimBlanks(gProcessNameCache).empty()) {
        gProcessNameCache.clear();
        if (!FileExists(ProgramFolderFile(kExeDefinitionFile))) {
            return;
        }
        BuildProcessNameCache(insideScan);
    } else {
        CountCachedDefinitions();
    }
    const std::optional<std::vector<platform::ProcessEntry>> snapshot =
        platform::CurrentProcesses().Snapshot();
    if (!snapshot) {
        return;
    }
    const std::string upperCache = platform::ToUpperText(gProcessNameCache);
    for (const platform::ProcessEntry& entry : *snapshot) {
        ExamineSnapshotEntry(entry, upperCache, insideScan);
        forms::DoEvents();
    }
}

std::string ExpandSystem32Path(std::string_view path, const std::string& systemFolder) {
    const std::string upper = platform::ToUpperText(TrimBlanks(path));
    const std::size_t at = upper.rfind(kSystem32);
    if (at == std::string::npos) {
        return std::string(path);
    }
    return systemFolder + "\\" + std::string(TrimBlanks(path).substr(at + kSystem32.size()));
}

void ReportRunningSpyware(std::string_view name, std::string_view company,
                          const RunningProgram& program) {
    if (IsInsideScan()) {
        const bool stopped = StopRunningProgram(program);
        AddMemoryLine(StoppedLine(name, stopped, " was stopped from running."));
        return;
    }
    RaiseSpywareAlert(name, company, program);
}
