#pragma once

#include <string>
#include <string_view>
#include <unordered_set>

#include "engine/definition_records.h"
#include "foundation/folder_tokens.h"

// How the memory scan matches running programs with the program definitions (pure text work).

// The full program path a program record names: its folder with "[drive]" and the folder tokens
// expanded, "\" and its program file name, with every "\\" made "\".
std::string ProgramRecordPath(const ProgramRecord& record, FolderTokenExpander& tokens);

// Adds a path to a cache of program paths in which every path stands between two "|"
// ("|C:\A.EXE|C:\B.EXE|").
void AddToModulePathCache(std::string& cache, std::string_view path);

// Whether the cache holds the path as one of its entries (exact comparison; the callers keep
// both in upper case).
bool IsInModulePathCache(std::string_view cache, std::string_view path);

// The entries of a module path cache, for looking paths up at once: the shield looks up every
// running program in a cache of as many paths as there are program definitions, where one search
// of the text each would cost as much as all the rest of its pass.
class ModulePathIndex {
  public:
    ModulePathIndex() = default;
    explicit ModulePathIndex(std::string_view cache);

    // IsInModulePathCache(cache, path) for the cache the index was made of.
    bool Contains(std::string_view cache, std::string_view path) const;

  private:
    std::unordered_set<std::string_view> entries_;  // views into the cache
};

// Whether an upper-case program file name is listed in the upper-case decoded definition lines
// (each ended by CR LF): it is the program file name of a record (the text before the first "="),
// or its first occurrence in the lines runs to the end of its line.
bool IsListedProgramName(std::string_view upperLines, std::string_view upperName);
