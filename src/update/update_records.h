#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The records of an update package: "<kind>|<operation>[DEF]<definition>", separated by "[BR]"
// (any letter case). The kind arrives encoded through the line codec; the definition is in the
// encoded form of its target file except for its separators "=" and "|", which arrive plain.

struct DefinitionUpdateRecord {
    std::string kind;        // decoded: "FILE", "EXE", "DLL", "REG", "COOK", "DIR", "SEXE", ...
    std::string operation;   // "ADD" or "DEL"; anything else is ignored
    std::string definition;  // the text after "[DEF]"
    // A record without "[DEF]" or without the "|" of its header cannot be applied; it is an
    // error only for the files its kind belongs to.
    bool wellFormed = false;
};

// The non-empty records in package order, each trimmed of blanks and line breaks around it.
std::vector<DefinitionUpdateRecord> ParseDefinitionUpdate(std::string_view packageText);

// Whether records of this kind go to the definition file (kDefinitionFile names): FILE, EXE and
// DLL to the file definitions, EXE also to the program definitions, REG, COOK and DIR to theirs,
// and every kind holding an "S" (any case) to the safe list.
bool KindBelongsToFile(std::string_view kind, std::string_view fileName);

// The line an ADD record writes into the file, in the file's encoded form; nothing when the
// definition lacks a field the file's line is made of.
std::optional<std::string> AddedDefinitionLine(const DefinitionUpdateRecord& record,
                                               std::string_view fileName);

// The key that deletions match, letter case ignored: for a line of a definition file, its decoded
// text before the first "="; for the definition of a DEL (or ADD) record, whose "=" arrives plain,
// its text before the first "=", decoded.
std::string DefinitionLineKey(std::string_view encodedLine);
std::string UpdateDefinitionKey(std::string_view definition);
