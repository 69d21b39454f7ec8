#include "engine/process_stopping.h"

#include <chrono>

#include "foundation/path_text.h"
#include "platform/machine.h"
#include "platform/text_case.h"
#include "platform/text_encoding.h"

namespace {

using platform::ProcessId;

constexpr ProcessId kIdleProcessId = 0;
constexpr ProcessId kSystemProcessId = 2;
// A process that refuses to end is tried this many times before giving up.
constexpr int kStopAttempts = 11;
// Program names this long are cut to kListedNameLength characters by process listings.
constexpr std::size_t kLongNameLength = 16;
constexpr std::size_t kListedNameLength = 15;
constexpr std::size_t kShortNameKeep = 6;

platform::Processes& Processes() {
    return platform::CurrentProcesses();
}

std::size_t CharacterCount(std::string_view text) {
    return platform::DecodeUtf8(text).size();
}

// The first count characters (not bytes) of UTF-8 text.
std::string FirstCharacters(std::string_view text, std::size_t count) {
    const std::u32string characters = platform::DecodeUtf8(text);
    return platform::EncodeUtf8(std::u32string_view(characters).substr(0, count));
}

std::string WithoutExeSuffixes(std::string_view name) {
    std::string text(name);
    for (std::size_t at = platform::FindIgnoringCase(text, ".exe"); at != std::string::npos;
         at = platform::FindIgnoringCase(text, ".exe", at)) {
        text.erase(at, 4);
    }
    return text;
}

// A program that runs from drive Z:, the host's root, runs from the host's own folders, outside
// the Windows installation: a bare name from a definition never stops it.
bool IsHostProgram(ProcessId id) {
    constexpr std::string_view kHostRootDrive = "Z:\\";
    const std::optional<platform::ProcessModule> module = Processes().FirstModule(id);
    return module && platform::FindIgnoringCase(module->path, kHostRootDrive) == 0;
}

bool IsNewerPlatformFamily() {
    return platform::CurrentMachine().Version().platformId == platform::VER_PLATFORM_WIN32_NT;
}

}  // namespace

std::int32_t GetProcessList(std::vector<std::string>& names, std::vector<ProcessId>& ids) {
    names.clear();
    ids.clear();
    const std::optional<std::vector<ProcessId>> running = Processes().ProcessIds();
    if (!running) {
        return -1;
    }
    for (const ProcessId id : *running) {
        std::string name = GetProcessNameById(id);
        if (!name.empty()) {
            names.push_back(std::move(name));
            ids.push_back(id);
        }
    }
    return static_cast<std::int32_t>(names.size());
}

std::string GetProcessNameById(ProcessId id) {
    if (id == kIdleProcessId) {
        return "System Idle Process";
    }
    if (id == kSystemProcessId) {
        return "System";
    }
    // Reading the first module opens the process; one that cannot be opened has none.
    const std::optional<platform::ProcessModule> module = Processes().FirstModule(id);
    if (!module) {
        return "";
    }
    return module->baseName.empty() ? "unknown" : module->baseName;
}

std::string ShortProgramName(std::string_view name) {
    std::string stem = WithoutExeSuffixes(name);
    if (CharacterCount(stem) > kShortNameKeep) {
        stem = FirstCharacters(stem, kShortNameKeep);
    }
    return platform::ToUpperText(stem) + "~1";
}

std::string ProgramNameStem(std::string_view name) {
    if (CharacterCount(name) >= kLongNameLength) {
        return FirstCharacters(name, kListedNameLength);
    }
    return platform::ToUpperText(name.substr(0, name.find('.')));
}

bool IsSameProgramName(std::string_view processName, std::string_view name) {
    const std::string processStem = ProgramNameStem(ExtractFileName(processName));
    return platform::EqualsIgnoringCase(processStem, TrimBlanks(ProgramNameStem(name))) ||
           platform::EqualsIgnoringCase(processStem, TrimBlanks(ShortProgramName(name)));
}

bool KillProcessByName(std::string_view name) {
    std::vector<std::string> names;
    std::vector<ProcessId> ids;
    GetProcessList(names, ids);
    // Every copy is stopped: the program counts as stopped only when none of it runs on. Copies
    // that run from the host's folders are left alone.
    bool allStopped = true;
    for (std::size_t index = 0; index < names.size(); ++index) {
        if (IsSameProgramName(names[index], name) && !IsHostProgram(ids[index]) &&
            !StopProcess(ids[index])) {
            allStopped = false;
        }
    }
    return allStopped;
}

bool StopRunningProgram(const RunningProgram& program) {
    if (Processes().Open(program.id) == platform::OpenResult::NotFound) {
        return true;
    }
    // The id of an ended process may have been given to another program since.
    const std::optional<platform::ProcessModule> module = Processes().FirstModule(program.id);
    if (module && !platform::EqualsIgnoringCase(module->path, program.path)) {
        return true;
    }
    return StopProcess(program.id);
}

bool StopProcess(ProcessId id) {
    for (int attempt = 0; attempt < kStopAttempts; ++attempt) {
        if (TerminateProcessById(id, 0)) {
            return true;
        }
        if (Processes().Wait(id, std::chrono::milliseconds(1)) !=
            platform::WaitResult::StillRunning) {
            return true;
        }
    }
    return false;
}

bool TerminateProcessById(ProcessId id, std::uint32_t /*exitCode*/) {
    const bool newerFamily = IsNewerPlatformFamily();
    if (newerFamily && !Processes().SetDebugPrivilege(true)) {
        return false;
    }
    // The service ends a process with a signal, which carries no exit code of the caller's.
    const bool ended = Processes().Terminate(id);
    if (newerFamily) {
        Processes().SetDebugPrivilege(false);
    }
    return ended;
}

bool KillProcessById(ProcessId id) {
    if (Processes().Open(id) != platform::OpenResult::Opened) {
        return false;
    }
    return Processes().Terminate(id);
}

std::string DropLastChar(std::string_view text) {
    if (text.empty()) {
        return "";
    }
    const std::u32string characters = platform::DecodeUtf8(text);
    return platform::EncodeUtf8(std::u32string_view(characters).substr(0, characters.size() - 1));
}
