#pragma once

#include <string>
#include <string_view>

#include "engine/process_stopping.h"

// The memory scan: the running programs compared with the program definitions of
// ExeDefinition.dat. Inside a scan (while the main window's cmdScan is disabled) a running
// spyware program is stopped at once and logged; outside a scan (the memory shield) the spyware
// alert asks the user, and the check waits for the answer.
//
// Two ways to look, by the platform family the machine reports: the newer family matches the
// full program path of each process; the older one matches program file names of a process
// snapshot and asks with a Yes/No box outside a scan.

// Runs ScanRunningModules on the newer platform family, ScanRunningProcesses9x on the older one,
// nothing on any other.
void ScanMemoryByPlatform();

// The newer family: the definitions become full program paths in gModulePathCache, each process'
// program path is looked up there.
void ScanRunningModules();

// The older family: the decoded definition lines are kept in gProcessNameCache for the life of
// the program, each process' program file name is looked up there.
void ScanRunningProcesses9x();

// A path holding "SYSTEM32\" (any case) as the same file below the machine's system folder
// (GetSystemDir): the system folder, "\" and what follows the last "SYSTEM32\". Other paths come
// back unchanged.
std::string ExpandSystem32Path(std::string_view path, const std::string& systemFolder);

// One running spyware program found: inside a scan that very process is stopped and logged,
// outside a scan the alert is raised and the call returns once the user answered.
void ReportRunningSpyware(std::string_view name, std::string_view company,
                          const RunningProgram& program);
