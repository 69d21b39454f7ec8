#pragma once

#include <string>
#include <string_view>

// The user's exclusion list: items the user chose to keep, one per line in ENoSignature.txt in the
// program folder (plain 8-bit text, not encoded), held in memory as gExclusionList (globals.h). A
// hit on it is listed as excluded instead of as a threat. The file only grows.

inline constexpr std::string_view kExclusionFileName = "ENoSignature.txt";

// The program folder's ENoSignature.txt.
std::string ExclusionFilePath();

// Adds the item, without surrounding blanks, as a new last line of the file (made when missing),
// then reloads the list. The file is replaced in one step, so a failed write leaves it as it was.
// False when the item could not be stored or the list not reloaded, so that the caller can tell
// the user.
bool AddExclusion(std::string_view item);

// Rebuilds gExclusionList from the file, yielding to the event loop after each line. A file that a
// directory search does not find (missing or hidden) gives an empty list. Throws ProgramError
// (program_error.h) when the file is there but cannot be read; the list is then empty.
void LoadExclusions();

// Whether an entry equals the item, or the item without surrounding blanks, without case. Entries
// keep their own blanks. With a non-empty list an empty item counts as excluded.
bool IsExcluded(std::string_view item);

// IsExcluded, or the item occurs inside an entry (without case): a folder above an excluded folder
// counts as excluded, one below it does not.
bool IsExcludedPath(std::string_view item);
