#pragma once

#include <functional>
#include <string>
#include <string_view>

// The safe list: files, programs, libraries, registry entries and folders that the definitions
// vendor declares harmless, loaded from Safety.dat in the program folder into gSafeList
// (globals.h). The scans skip what it holds.
//
// A decoded Safety.dat record is: kind, "|", name field, "|", path field, optionally "|" and a
// field nothing reads. Kinds (with case): "SFILE", "SEXE", "SDLL", "SREG", "SDIR". The name field
// is a name, "=" and further text. The path field may hold "[drive]" and folder tokens; for "SREG"
// it is root code, "^", key path, optionally "^" and value name. A line without "|" continues the
// kind of the line before it, the whole line being its name field.

// Rebuilds gSafeList from Safety.dat, yielding to the event loop after each entry; stops early
// when shouldStop (the scan's stop test) says so. A missing or unreadable file gives what was read
// so far; a record that cannot be taken apart adds nothing. Always true.
bool LoadSafetyList(const std::function<bool()>& shouldStop = {});

// Whether the item (a full file or folder path, or a registry path: root name, "\", key, "\",
// value) is safe: empty, equal to an entry without case, blanks around and one trailing "/" and
// "\", or a whole hive ("HKEY_LOCAL_MACHINE"), which is never reported.
bool IsSafeItem(std::string_view item);
