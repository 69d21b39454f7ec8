#include "bare_scans.h"

#include <string>
#include <unordered_set>
#include <vector>

#include "engine/cookie_files.h"
#include "engine/definition_records.h"
#include "engine/memory_matching.h"
#include "foundation/definition_files.h"
#include "foundation/file_queries.h"
#include "foundation/folder_tokens.h"
#include "foundation/path_text.h"
#include "foundation/registry_access.h"
#include "platform/machine.h"
#include "platform/processes.h"
#include "platform/text_case.h"

namespace bench {
namespace {

constexpr int CSIDL_COOKIES = 33;

template <typename Test>
int CountFileRecordHits(std::string_view fileName, Test test) {
    FolderTokenExpander tokens;
    int hits = 0;
    for (const std::string& line : ReadDefinitionLines(fileName)) {
        if (const auto record = ParseFileRecord(line)) {
            hits += test(*record, ExpandRecordFolder(record->folder, tokens)) ? 1 : 0;
        }
    }
    return hits;
}

std::string UpperPath(std::string_view path) {
    return platform::ToUpperText(TrimBlanks(path));
}

}  // namespace

int BareFileScan() {
    return CountFileRecordHits(kFileDefinitionFile,
                               [](const FileRecord& record, const auto& folder) {
                                   return FileExists(FileRecordTarget(record, folder));
                               });
}

int BareFolderScan() {
    return CountFileRecordHits(kDirectoryDefinitionFile,
                               [](const FileRecord& record, const std::string& folder) {
                                   return !record.folder.empty() && FolderExists(folder);
                               });
}

int BareRegistryScan() {
    FolderTokenExpander tokens;
    int hits = 0;
    for (const std::string& line : ReadDefinitionLines(kRegistryDefinitionFile)) {
        const auto record = ParseRegistryRecord(line, tokens);
        const platform::RegRoot root = record ? RegRootFromCode(record->rootCode) : -1;
        if (root == -1) {
            continue;
        }
        std::string value;
        hits +=
            (record->IsKeyRecord() ? RegKeyExists(root, TrimBlanks(record->keyPath))
                                   : RegReadValue(root, record->keyPath, record->valueName, value))
                ? 1
                : 0;
    }
    return hits;
}

int BareProcessScan() {
    FolderTokenExpander tokens;
    std::unordered_set<std::string> paths;
    for (const std::string& line : ReadDefinitionLines(kExeDefinitionFile)) {
        if (const auto record = ParseProgramRecord(line)) {
            paths.insert(UpperPath(ProgramRecordPath(*record, tokens)));
        }
    }
    platform::Processes& processes = platform::CurrentProcesses();
    int hits = 0;
    for (const platform::ProcessId id :
         processes.ProcessIds().value_or(std::vector<platform::ProcessId>{})) {
        if (processes.Open(id) != platform::OpenResult::Opened) {
            continue;
        }
        if (const auto module = processes.FirstModule(id)) {
            hits += paths.count(UpperPath(module->path)) > 0 ? 1 : 0;
        }
    }
    return hits;
}

int BareCookieScan() {
    std::unordered_set<std::string> blockedKeys;
    for (const std::string& line : ReadDefinitionLines(kBlockedCookiesFile)) {
        for (const std::string_view host : SplitAt(line, '|')) {
            std::string key(host.substr(0, host.rfind('.')));
            if (const auto star = key.find('*'); star != std::string::npos) {
                key.erase(star, 1);
            }
            blockedKeys.insert(platform::ToLowerText(key));
        }
    }
    platform::Machine& machine = platform::CurrentMachine();
    std::vector<platform::FolderFile> files;
    machine.folders().ListFiles(machine.specialFolders().Path(CSIDL_COOKIES), &files);
    int hits = 0;
    for (const platform::FolderFile& file : files) {
        const std::string host = GetCookieHostFromFileName(file.path);
        std::vector<std::string> lines;
        if (host.empty() || machine.files().ReadTextLines(file.path, &lines) != 0) {
            continue;
        }
        for (const std::string& field : CookieFileFields(lines)) {
            if (const auto domain = CookieDomainInField(field, host)) {
                hits += blockedKeys.count(platform::ToLowerText(CookieMatchKey(*domain))) > 0;
                break;
            }
        }
    }
    return hits;
}

}  // namespace bench
