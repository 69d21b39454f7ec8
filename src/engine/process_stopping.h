#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/processes.h"

// Listing the running programs and stopping them, on the current machine's process service. The
// memory scan, the spyware alert and the removal of program files stop programs here.

// Fills names and ids, position by position, with every running process that has a name, in the
// service's order. Returns how many were kept, or -1 (both lists empty) when the process ids
// cannot be read.
std::int32_t GetProcessList(std::vector<std::string>& names, std::vector<platform::ProcessId>& ids);

// The program file name of a process: "System Idle Process" for id 0, "System" for id 2, "" when
// the process cannot be opened, "unknown" when it has no program name.
std::string GetProcessNameById(platform::ProcessId id);

// The 8.3 short form of a long program name: without ".exe", cut to 6 characters when 7 or more
// remain, upper case, then "~1" ("NOTEPA~1" for notepad.exe).
std::string ShortProgramName(std::string_view name);

// The part of a program name that a process listing keeps: a name of fewer than 16 characters
// gives its upper-case text before the first "."; a longer one its first 15 characters.
std::string ProgramNameStem(std::string_view name);

// Whether a running program named processName counts as the program name: its stem equals the
// name's stem or the name's short form, without regard to case.
bool IsSameProgramName(std::string_view processName, std::string_view name);

// Stops every running program of the Windows installation that IsSameProgramName matches, each
// with up to 11 tries; the host's own programs (drive Z:) are never stopped by name. True when
// none of them is running any more (also when none was running at all).
bool KillProcessByName(std::string_view name);

// One running program as a check found it.
struct RunningProgram {
    platform::ProcessId id = 0;
    std::string path;  // the program path the process had when it was found
};

// Stops that very process, with up to 11 tries, unless it has ended meanwhile or its id now
// belongs to another program. True when the program found no longer runs.
bool StopRunningProgram(const RunningProgram& program);

// Up to 11 tries: terminate, else a short wait that may see the process end by itself. True when
// the process no longer runs.
bool StopProcess(platform::ProcessId id);

// Ends a process at once, on the newer platform family with the debug privilege switched on for
// the call. True when the process was ended.
bool TerminateProcessById(platform::ProcessId id, std::uint32_t exitCode);

// The older platform family's way to end a process: nothing happens when it cannot be opened.
// True when the process was ended.
bool KillProcessById(platform::ProcessId id);

// The text less its last character ("" stays "").
std::string DropLastChar(std::string_view text);
