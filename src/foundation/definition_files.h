#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The threat definitions: six files in the program folder, every line stored through the line
// codec (line_codec.h), 8-bit text with CR LF line ends. The counts live in foundation/globals.h.

inline constexpr std::string_view kExeDefinitionFile = "ExeDefinition.dat";
inline constexpr std::string_view kFileDefinitionFile = "FileDefinition.dat";
inline constexpr std::string_view kDirectoryDefinitionFile = "DirectoryDefinition.dat";
inline constexpr std::string_view kRegistryDefinitionFile = "RegistryDefinition.dat";
inline constexpr std::string_view kBlockedCookiesFile = "BlockedCookies.dat";
inline constexpr std::string_view kSafetyFile = "Safety.dat";

// A downloaded replacement of a definition file waits under this prefix ("DLFileDefinition.dat").
inline constexpr std::string_view kStagedDefinitionPrefix = "DL";

// The date of the installed definitions, one line, and its value while there is no such file.
inline constexpr std::string_view kDefinitionsDateFile = "date.dat";
inline constexpr std::string_view kDefaultDefinitionsDate = "3/16/2006 12:00:00 AM";

// The decoded lines of a definition file of the program folder (kExeDefinitionFile, ...), each
// ended by CR LF; none when the file is missing. Throws ProgramError when the file is there but
// cannot be read.
std::vector<std::string> ReadDefinitionLines(std::string_view fileName);

// Finishes or removes a set of new definition files a killed update left (definition_set.h), then
// puts the staged copies of the cookie, registry, file and program definitions in place of the
// files they replace. A staged copy that cannot be put in place stays for the next start; the file
// it would have replaced is kept as it was.
void InstallDownloadedDefinitions();

// Counts the lines of the definition files into the four counters and returns their sum (kept by
// the callers as gDefinitionsTotal). Missing files count 0; Safety.dat is not counted. Throws
// ProgramError when a file is there but cannot be read.
std::int32_t CountDefinitions();

// Replaces date.dat by one line holding text; the old date stays when the new one cannot be
// written.
void SaveDefinitionsDate(std::string_view text);

// The first line of date.dat, or kDefaultDefinitionsDate when there is no such file. Throws
// ProgramError when the file cannot be read or holds no line.
std::string LoadDefinitionsDate();
