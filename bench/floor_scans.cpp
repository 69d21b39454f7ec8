#include "floor_scans.h"

#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "engine/definition_records.h"
#include "engine/memory_matching.h"
#include "foundation/definition_files.h"
#include "foundation/folder_tokens.h"
#include "foundation/path_text.h"
#include "foundation/registry_access.h"
#include "platform/hive_parse.h"
#include "platform/machine.h"
#include "platform/processes.h"
#include "platform/text_case.h"

namespace bench {
namespace {

// What each file or folder record names as a Windows path, in record order; the folder pass
// passes over records without a folder, as the scan does.
template <typename EachTarget>
void ForEachTarget(std::string_view fileName, bool folders, EachTarget each) {
    FolderTokenExpander tokens;
    for (const std::string& line : ReadDefinitionLines(fileName)) {
        const auto record = ParseFileRecord(line);
        if (!record || (folders && record->folder.empty())) {
            continue;
        }
        const std::string folder = ExpandRecordFolder(record->folder, tokens);
        each(folders ? folder : FileRecordTarget(*record, folder));
    }
}

ResolvedTargets ResolveTargets(std::string_view fileName, bool folders) {
    const platform::PathMapper& paths = platform::CurrentMachine().paths();
    ResolvedTargets targets;
    ForEachTarget(fileName, folders, [&](const std::string& target) {
        const auto host = paths.ToHost(target);
        targets.push_back(host ? host->string() : std::string());
    });
    return targets;
}

int StatFloor(std::string_view fileName, bool folders, const ResolvedTargets& targets) {
    std::size_t index = 0;
    int hits = 0;
    ForEachTarget(fileName, folders, [&](const std::string&) {
        struct stat status {};
        const std::string& host = targets[index++];
        hits += ::stat(host.c_str(), &status) == 0 &&
                (folders ? S_ISDIR(status.st_mode) : S_ISREG(status.st_mode));
    });
    return hits;
}

bool ReadsAsText(const platform::RegValue& value) {
    return value.type == platform::REG_SZ || value.type == platform::REG_EXPAND_SZ ||
           value.type == platform::REG_DWORD;
}

void IndexKey(const platform::HiveKey& key, const std::string& path, HiveKeyIndex& index) {
    auto& values = index[platform::ToUpperText(path)];
    for (const platform::HiveEntry& entry : key.entries) {
        if (entry.isValue && ReadsAsText(entry.value)) {
            values.insert(platform::ToUpperText(entry.name));
        }
    }
    for (const auto& subKey : key.subKeys) {
        IndexKey(*subKey, path + "\\" + subKey->name, index);
    }
}

void IndexHiveFile(const std::string& rootCode, const std::string& fileName, HiveKeyIndex& index) {
    const std::string path = platform::CurrentMachine().prefix().root().string() + "/" + fileName;
    std::stringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    IndexKey(platform::ParseHive(text.str(), path).root, rootCode, index);
}

}  // namespace

ResolvedTargets ResolveFileTargets() {
    return ResolveTargets(kFileDefinitionFile, false);
}

ResolvedTargets ResolveFolderTargets() {
    return ResolveTargets(kDirectoryDefinitionFile, true);
}

int FileFloor(const ResolvedTargets& targets) {
    return StatFloor(kFileDefinitionFile, false, targets);
}

int FolderFloor(const ResolvedTargets& targets) {
    return StatFloor(kDirectoryDefinitionFile, true, targets);
}

HiveKeyIndex IndexHiveFiles() {
    HiveKeyIndex index;
    IndexHiveFile("1", "user.reg", index);
    IndexHiveFile("2", "system.reg", index);
    return index;
}

int RegistryFloor(const HiveKeyIndex& keys) {
    FolderTokenExpander tokens;
    int hits = 0;
    for (const std::string& line : ReadDefinitionLines(kRegistryDefinitionFile)) {
        const auto record = ParseRegistryRecord(line, tokens);
        if (!record || RegRootFromCode(record->rootCode) == -1) {
            continue;
        }
        const std::string path = std::string(TrimBlanks(record->rootCode)) + "\\" +
                                 std::string(TrimBlanks(record->keyPath));
        const auto key = keys.find(platform::ToUpperText(path));
        hits +=
            key != keys.end() && (record->IsKeyRecord() ||
                                  key->second.count(platform::ToUpperText(record->valueName)) > 0);
    }
    return hits;
}

int ProcessFloor() {
    platform::Processes& processes = platform::CurrentProcesses();
    std::unordered_set<std::string> running;
    for (const platform::ProcessId id :
         processes.ProcessIds().value_or(std::vector<platform::ProcessId>{})) {
        if (processes.Open(id) == platform::OpenResult::Opened) {
            if (const auto module = processes.FirstModule(id)) {
                running.insert(platform::ToUpperText(TrimBlanks(module->path)));
            }
        }
    }
    FolderTokenExpander tokens;
    int hits = 0;
    for (const std::string& line : ReadDefinitionLines(kExeDefinitionFile)) {
        if (const auto record = ParseProgramRecord(line)) {
            hits += running.count(platform::ToUpperText(ProgramRecordPath(*record, tokens))) > 0;
        }
    }
    return hits;
}

}  // namespace bench
