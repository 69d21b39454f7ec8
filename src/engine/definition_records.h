#pragma once

#include <optional>
#include <string>
#include <string_view>

class FolderTokenExpander;

// The records of the definition files, cut from their decoded lines. Pure text work: the scans
// read the lines, test what a record names and write the rows.

// "[drive]" (exact letter case) replaced by the system drive root, then the folder tokens expanded:
// how every kind of record names its paths.
std::string ExpandRecordTokens(std::string_view text, FolderTokenExpander& tokens);

// --- Registry records (RegistryDefinition.dat).

// One decoded line of the registry definitions: root code, "^", key path, "^", value name, "=",
// threat name and optionally "|" and a description. The line is cut at its last "=", so key paths
// and value names may hold "=" while threat names may not.
struct RegistryRecord {
    std::string rootCode;     // "0" to "5" when the record is sound; checked by the caller
    std::string keyPath;      // below the root, folder tokens expanded
    std::string valueName;    // "" for a key record (the key itself is the threat)
    std::string threatName;   // may be empty
    std::string description;  // "" when the record has none

    bool IsKeyRecord() const { return valueName.empty(); }
};

// Takes a decoded registry line apart. "[drive]" (with case) becomes the system drive root and the
// folder tokens are expanded before the left part is split at "^"; "\\" in the value name becomes
// "\". Nothing for a line without "=", with fewer than three "^" fields or with a blank root code.
std::optional<RegistryRecord> ParseRegistryRecord(std::string_view line,
                                                  FolderTokenExpander& tokens);

// --- Program records (ExeDefinition.dat): program file name "=" threat name "|" folder.

struct ProgramRecord {
    std::string fileName;  // the text before the first "="
    std::string folder;    // with its folder tokens, not expanded
};

// The right part is the text after the first "=" up to a second "=" if any; the folder is what
// stands between its first and second "|", or the whole right part when it holds no "|". Nothing
// for a line without "=".
std::optional<ProgramRecord> ParseProgramRecord(std::string_view line);

// --- File and folder records (FileDefinition.dat, DirectoryDefinition.dat).

// A record of FileDefinition.dat or DirectoryDefinition.dat: name, "=", threat name, "|", folder,
// optionally "|" and an extra field; further "=" and "|" fields are ignored.
struct FileRecord {
    std::string itemName;              // the text before the first "=", as it stands
    std::string threatName;            // between the first and a second "=", blanks kept
    std::string folder;                // tokens not yet expanded; "" when the line has no "|"
    std::optional<std::string> extra;  // the third "|" field, when the line has one
};

// The record of a decoded line; nothing for a line whose name part has no "=" (no threat name, so
// nothing it finds could be listed).
std::optional<FileRecord> ParseFileRecord(std::string_view line);

// A record folder made usable: its tokens expanded, then every "\\" turned into "\".
std::string ExpandRecordFolder(std::string_view folder, FolderTokenExpander& tokens);

// The file a file record names: the item name without blanks around it inside the folder (the bare
// name when the folder is empty), every "\\" turned into "\".
std::string FileRecordTarget(const FileRecord& record, std::string_view expandedFolder);

// The label a folder record shows on the status line: its item name without line breaks and tabs.
std::string FolderRecordLabel(const FileRecord& record);
