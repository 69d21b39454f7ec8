#pragma once

#include <array>
#include <functional>
#include <string_view>
#include <vector>

#include "foundation/definition_files.h"

// The definition files and date.dat of the program folder replaced as one set, so that a crash, a
// kill or a full disk never leaves some of them new and others old. Every new file is first
// written and flushed beside its old one (".<name>.next", itself written whole or not at all);
// then the set is recorded as complete in
// a small manifest (".definition-set", the names of its files, written in one step); then each new
// file takes its old one's place by a rename, and the manifest goes. Until the manifest is there
// the old files are untouched; once it is there the set is finished, if not by this run then by
// the next start (FinishDefinitionSet).

// The files a set may hold.
inline constexpr std::array<std::string_view, 7> kDefinitionSetFiles = {
    kFileDefinitionFile,      kExeDefinitionFile, kRegistryDefinitionFile, kBlockedCookiesFile,
    kDirectoryDefinitionFile, kSafetyFile,        kDefinitionsDateFile,
};

struct DefinitionSetFile {
    std::string_view fileName;             // one of kDefinitionSetFiles
    std::vector<std::string_view> pieces;  // the new content, stored bytes, one after the other
};

enum class DefinitionSetResult {
    Replaced,
    DiskFull,  // no room for the new files: every file as it was
    Failed,    // a file that cannot be replaced or written: every file as it was, unless the
               // renames themselves failed, which the next start finishes
};

// Replaces the files, missing ones created, after checking that the new ones fit on the disk.
DefinitionSetResult ReplaceDefinitionSet(const std::vector<DefinitionSetFile>& files);

// At start-up, before the definitions are read: finishes a set recorded as complete, or removes
// the new files of one that was not.
void FinishDefinitionSet();

// Tests only: the steps that change the disk while a set is replaced, in their order. A hook is
// called before each step with the step and the file's name (none for the manifest); a result
// other than ERROR_SUCCESS is taken as that step's failure.
enum class DefinitionSetStep {
    Write,   // a new file, written and flushed beside the old one
    Record,  // the manifest
    Rename,  // a new file in place of the old one
    Close,   // the manifest removed
};
using DefinitionSetHook = std::function<long(DefinitionSetStep step, std::string_view fileName)>;
// Returns the hook before.
DefinitionSetHook SetDefinitionSetHookForTests(DefinitionSetHook hook);
