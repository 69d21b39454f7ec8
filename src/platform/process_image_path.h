#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Working out the Windows program path of a process Wine runs from what /proc shows of it.
namespace platform {

// Turns a host path into its Windows form through the drive mapping ("" when no drive holds it).
using HostToWindowsPath = std::function<std::string(const std::string& hostPath)>;

// What /proc shows of one process Wine runs.
struct ProcessFacts {
    std::string comm;         // the kernel's name of the process (at most 15 characters)
    std::string commandLine;  // the argument area, raw (NUL-separated)
    std::string maps;         // the text of the maps file
};

// The Windows image path at the start of a Wine process' argument area, or "" when it does not
// start with one.
std::string WindowsPathFromCommandLine(std::string_view commandLine);

// The host paths of the ".exe" files mapped into a process, in the order the maps text names
// them, each once.
std::vector<std::string> MappedExePaths(std::string_view maps);

// What /proc shows of one process Wine runs, as WindowsProgramPath reads it: the maps text, and
// the name and the argument area only when the maps do not settle the path. A listing reads
// hundreds of processes every few seconds.
struct ProcessReadings {
    std::string_view maps;
    std::function<std::string()> comm;
    std::function<std::string()> commandLine;
};

// The program path of a Wine process in Windows form: its mapped PE file, else the image path of
// its argument area; "" when neither has a Windows form. Wine's own programs (mapped from the
// host folder that Wine's ntdll.dll comes from) are where Wine puts them: in the folder their
// command line names, else in the system folder.
std::string WindowsProgramPath(const ProcessReadings& process, const HostToWindowsPath& toWindows);
std::string WindowsProgramPath(const ProcessFacts& facts, const HostToWindowsPath& toWindows);

// The text after the last backslash.
std::string WindowsBaseName(std::string_view windowsPath);

// The host path a link target names, less the " (deleted)" mark the kernel adds to a removed file.
std::string WithoutDeletedMark(std::string_view path);

}  // namespace platform
