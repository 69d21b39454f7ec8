#include "platform/process_procfs.h"

#include <poll.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <filesystem>
#include <thread>

#include "platform/file_errors.h"
#include "platform/host_files.h"
#include "platform/machine.h"
#include "platform/process_image_path.h"
#include "platform/wine_process.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

std::string ProcPath(ProcessId id, const char* entry) {
    return "/proc/" + std::to_string(id) + "/" + entry;
}

// Nothing when the process has ended, even between the opening and the reading (a stream would
// throw there).
std::optional<std::string> ReadProcFile(ProcessId id, const char* entry) {
    std::string bytes;
    if (ReadHostFile(ProcPath(id, entry), &bytes) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return bytes;
}

std::optional<std::string> ReadExeLink(ProcessId id) {
    std::error_code error;
    const fs::path target = fs::read_symlink(ProcPath(id, "exe"), error);
    if (error) {
        return std::nullopt;
    }
    return WithoutDeletedMark(target.string());
}

std::optional<ProcessId> ParseId(std::string_view text) {
    ProcessId id = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return id;
}

// The value of one "Name:\tvalue" line of a status file.
std::string_view StatusField(std::string_view status, std::string_view name) {
    for (std::size_t at = 0; at < status.size();) {
        const auto lineEnd = std::min(status.find('\n', at), status.size());
        const std::string_view line = status.substr(at, lineEnd - at);
        if (line.starts_with(name) && line.substr(name.size()).starts_with(':')) {
            const std::string_view value = line.substr(name.size() + 1);
            return value.substr(std::min(value.find_first_not_of(" \t"), value.size()));
        }
        at = lineEnd + 1;
    }
    return {};
}

std::string ReadComm(ProcessId id) {
    std::string comm = ReadProcFile(id, "comm").value_or("");
    if (comm.ends_with('\n')) {
        comm.pop_back();
    }
    return comm;
}

bool IsSameFolder(const fs::path& one, const fs::path& other) {
    std::error_code error;
    return fs::equivalent(one, other, error) && !error;
}

// Whether the process' environment makes Wine use the prefix; a process whose environment may not
// be read cannot be told to be one of its programs.
bool RunsForPrefix(ProcessId id, const fs::path& prefixFolder) {
    const std::optional<std::string> environment = ReadProcFile(id, "environ");
    if (!environment) {
        return false;
    }
    const std::optional<fs::path> prefix = WinePrefixOf(*environment, HomeFolder());
    return prefix && IsSameFolder(*prefix, prefixFolder);
}

// Where an id comes from: a caller, who may name one thread of a process, or the listing of
// /proc, which names processes only.
enum class IdFrom { Caller, Listing };

// Opening a process: it must be a process (not one thread of another) that Wine runs for the
// prefix, and the program must be allowed to signal it. What /proc shows of it goes to facts.
// Each entry is read at most once, the cheap ones first, so that the host's own processes cost
// a link and their environment.
OpenResult OpenProcess(ProcessId id, const fs::path& prefixFolder, ProcessFacts* facts,
                       IdFrom from = IdFrom::Caller) {
    if (id == 0 || static_cast<pid_t>(id) == getpid()) {
        return OpenResult::NotFound;
    }
    if (from == IdFrom::Caller) {
        const std::optional<std::string> status = ReadProcFile(id, "status");
        if (!status || ParseId(StatusField(*status, "Tgid")) != id) {
            return OpenResult::NotFound;
        }
    }
    const std::optional<std::string> exeLink = ReadExeLink(id);
    if (!exeLink || !RunsForPrefix(id, prefixFolder)) {
        return OpenResult::NotFound;
    }
    const bool loader = IsWineLoader(*exeLink);
    std::string maps = loader && !facts ? "" : ReadProcFile(id, "maps").value_or("");
    if (!loader && !IsWineProcess(*exeLink, maps)) {
        return OpenResult::NotFound;
    }
    if (kill(static_cast<pid_t>(id), 0) != 0) {
        return errno == ESRCH ? OpenResult::NotFound : OpenResult::AccessDenied;
    }
    if (facts) {
        *facts = {ReadComm(id), ReadProcFile(id, "cmdline").value_or(""), std::move(maps)};
    }
    return OpenResult::Opened;
}

bool MustNeverStop(ProcessId id) {
    const auto pid = static_cast<pid_t>(id);
    return id <= 1 || pid == getpid() || pid == getppid();
}

// A process file descriptor, or -1 with errno set.
int OpenProcessDescriptor(ProcessId id) {
    return static_cast<int>(syscall(SYS_pidfd_open, static_cast<pid_t>(id), 0u));
}

bool SendKill(ProcessId id) {
    const int descriptor = OpenProcessDescriptor(id);
    if (descriptor < 0) {
        return errno == ENOSYS && kill(static_cast<pid_t>(id), SIGKILL) == 0;
    }
    // Signalling through the descriptor cannot hit a newer process that took over the id.
    const bool sent = syscall(SYS_pidfd_send_signal, descriptor, SIGKILL, nullptr, 0u) == 0;
    close(descriptor);
    return sent;
}

WaitResult StateInProc(ProcessId id) {
    const std::optional<std::string> status = ReadProcFile(id, "status");
    if (!status) {
        return WaitResult::Gone;
    }
    const std::string_view state = StatusField(*status, "State");
    const bool exited = state.starts_with('Z') || state.starts_with('X');
    return exited ? WaitResult::Ended : WaitResult::StillRunning;
}

// Where the kernel offers no process descriptors: look at /proc until the time runs out.
WaitResult WatchProc(ProcessId id, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const WaitResult state = StateInProc(id);
        if (state != WaitResult::StillRunning || std::chrono::steady_clock::now() >= deadline) {
            return state;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

// Calls take(id) for each process /proc lists; false when /proc cannot be listed.
template <typename Take>
bool ForEachListedId(Take take) {
    std::error_code error;
    for (fs::directory_iterator it("/proc", error), end; !error && it != end; it.increment(error)) {
        if (const std::optional<ProcessId> id = ParseId(it->path().filename().string())) {
            take(*id);
        }
    }
    return !error;
}

// The program path of a process of the machine, "" when it has none in Windows form.
std::string ProgramPathOf(const ProcessFacts& facts, const Machine& machine) {
    return WindowsProgramPath(
        facts, [&](const std::string& hostPath) { return machine.paths().ToWindows(hostPath); });
}

int PollTimeout(std::chrono::milliseconds timeout) {
    return static_cast<int>(
        std::clamp<std::chrono::milliseconds::rep>(timeout.count(), 0, INT32_MAX));
}

}  // namespace

ProcfsProcesses::ProcfsProcesses(std::function<const Machine&()> installation)
    : installation_(std::move(installation)) {}

std::optional<std::vector<ProcessId>> ProcfsProcesses::ProcessIds() {
    std::vector<ProcessId> ids;
    const fs::path prefixFolder = installation_().prefix().root();
    const bool listed = ForEachListedId([&](ProcessId id) {
        if (OpenProcess(id, prefixFolder, nullptr, IdFrom::Listing) != OpenResult::NotFound) {
            ids.push_back(id);
        }
    });
    if (!listed) {
        return std::nullopt;
    }
    std::ranges::sort(ids);
    return ids;
}

OpenResult ProcfsProcesses::Open(ProcessId id) {
    return OpenProcess(id, installation_().prefix().root(), nullptr);
}

std::optional<ProcessModule> ProcfsProcesses::FirstModule(ProcessId id) {
    const Machine& machine = installation_();
    ProcessFacts facts;
    if (OpenProcess(id, machine.prefix().root(), &facts) != OpenResult::Opened) {
        return std::nullopt;
    }
    std::string path = ProgramPathOf(facts, machine);
    if (path.empty()) {
        return std::nullopt;
    }
    std::string baseName = WindowsBaseName(path);
    return ProcessModule{std::move(path), std::move(baseName)};
}

// One look at each process: the shields take a snapshot every few seconds, and Wine processes'
// maps are long.
std::optional<std::vector<ProcessEntry>> ProcfsProcesses::Snapshot() {
    const Machine& machine = installation_();
    const fs::path prefixFolder = machine.prefix().root();
    std::vector<ProcessEntry> entries;
    const bool listed = ForEachListedId([&](ProcessId id) {
        ProcessFacts facts;
        if (OpenProcess(id, prefixFolder, &facts, IdFrom::Listing) == OpenResult::Opened) {
            if (std::string path = ProgramPathOf(facts, machine); !path.empty()) {
                entries.push_back({id, std::move(path)});
            }
        }
    });
    if (!listed) {
        return std::nullopt;
    }
    std::ranges::sort(entries, {}, &ProcessEntry::id);
    return entries;
}

std::vector<std::string> ProcfsProcesses::ProcessNames() {
    std::vector<std::string> names;
    for (const ProcessEntry& entry : Snapshot().value_or(std::vector<ProcessEntry>{})) {
        names.push_back(WindowsBaseName(entry.programPath));
    }
    return names;
}

bool ProcfsProcesses::Terminate(ProcessId id) {
    return !MustNeverStop(id) && Open(id) == OpenResult::Opened && SendKill(id);
}

WaitResult ProcfsProcesses::Wait(ProcessId id, std::chrono::milliseconds timeout) {
    const int descriptor = OpenProcessDescriptor(id);
    if (descriptor < 0) {
        return errno == ENOSYS ? WatchProc(id, timeout) : WaitResult::Gone;
    }
    pollfd exited{descriptor, POLLIN, 0};
    const int ready = poll(&exited, 1, PollTimeout(timeout));
    close(descriptor);
    return ready > 0 ? WaitResult::Ended : WaitResult::StillRunning;
}

bool ProcfsProcesses::SetDebugPrivilege(bool /*enable*/) {
    // Linux checks the right to signal per process, which Open and Terminate already do.
    return true;
}

}  // namespace platform
