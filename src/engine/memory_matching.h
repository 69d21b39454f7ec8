#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "foundation/folder_tokens.h"

// How the memory scan matches running programs with the program definitions (pure text work).

// --- Program records (ExeDefinition.dat): program file name "=" threat name "|" folder.

struct ProgramRecord {
    std::string fileName;  // the text before the first "="
    std::string folder;    // with its folder tokens, not expanded
};

// The right part is the text after the first "=" up to a second "=" if any; the folder is what
// stands between its first and second "|", or the whole right part when it holds no "|". Nothing
// for a line without "=".
std::optional<ProgramRecord> ParseProgramRecord(std::string_view line);

// The full program path a program record names: its folder with "[drive]" and the folder tokens
// expanded, "\" and its program file name, with every "\\" made "\".
std::string ProgramRecordPath(const ProgramRecord& record, FolderTokenExpander& tokens);

// Adds a path to a cache of program paths in which every path stands between two "|"
// ("|C:\A.EXE|C:\B.EXE|").
void AddToModulePathCache(std::string& cache, std::string_view path);

// Whether the cache holds the path as one of its entries (exact comparison; the callers keep
// both in upper case).
bool IsInModulePathCache(std::string_view cache, std::string_view path);

// Whether an upper-case program file name is listed in the upper-case decoded definition lines
// (each ended by CR LF): it is the program file name of a record (the text before the first "="),
// or its first occurrence in the lines runs to the end of its line.
bool IsListedProgramName(std::string_view upperLines, std::string_view upperName);
