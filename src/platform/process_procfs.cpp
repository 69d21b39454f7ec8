#include "platform/process_procfs.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>
#include <csignal>
#include <filesystem>
#include <thread>

#include "platform/file_errors.h"
#include "platform/host_files.h"
#include "platform/machine.h"
#include "platform/process_image_path.h"
#include "platform/procfs_reading.h"
#include "platform/wine_process.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

std::string ProcPath(ProcessId id, const char* entry) {
    return "/proc/" + std::to_string(id) + "/" + entry;
}

std::optional<ProcessId> ParseId(std::string_view text) {
    ProcessId id = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return id;
}

}  // namespace

std::optional<std::string> ReadProcFile(const std::string& path) {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        return std::nullopt;
    }
    std::string bytes;
    const long read = ReadToEnd(descriptor, &bytes, true);
    ::close(descriptor);
    return read == ERROR_SUCCESS ? std::optional(std::move(bytes)) : std::nullopt;
}

std::optional<std::string> ReadProcFile(ProcessId id, const char* entry) {
    return ReadProcFile(ProcPath(id, entry));
}

std::optional<std::string> ReadExeLink(ProcessId id) {
    char target[PATH_MAX];
    const ssize_t length = ::readlink(ProcPath(id, "exe").c_str(), target, sizeof target);
    if (length < 0 || static_cast<std::size_t>(length) == sizeof target) {
        return std::nullopt;
    }
    return WithoutDeletedMark(std::string_view(target, static_cast<std::size_t>(length)));
}

bool ForEachListedId(const std::function<void(ProcessId)>& take) {
    DIR* proc = ::opendir("/proc");
    if (proc == nullptr) {
        return false;
    }
    errno = 0;
    while (const dirent* entry = ::readdir(proc)) {
        if (const std::optional<ProcessId> id = ParseId(entry->d_name)) {
            take(*id);
        }
        errno = 0;
    }
    const bool listed = errno == 0;
    ::closedir(proc);
    return listed;
}

bool PrefixFolderMatch::operator()(const fs::path& named) {
    const auto [known, isNew] = answers_.try_emplace(named.string(), false);
    if (isNew) {
        std::error_code error;
        known->second = fs::equivalent(named, folder_, error) && !error;
    }
    return known->second;
}

bool RunsForPrefix(ProcessId id, PrefixFolderMatch& isPrefix) {
    const std::optional<std::string> environment = ReadProcFile(id, "environ");
    if (!environment) {
        return false;
    }
    const std::optional<fs::path> prefix = WinePrefixOf(*environment, HomeFolder());
    return prefix && isPrefix(*prefix);
}

namespace {

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

// Where an id comes from: a caller, who may name one thread of a process, or the listing of
// /proc, which names processes only.
enum class IdFrom { Caller, Listing };

// What opening processes compares them with: the installation's prefix, and this process, which
// is never one of its programs.
struct ProgramsOfPrefix {
    explicit ProgramsOfPrefix(const fs::path& prefixFolder) : isPrefix(prefixFolder) {}
    PrefixFolderMatch isPrefix;
    ProcessId self = static_cast<ProcessId>(getpid());
};

// Opening a process: it must be a process (not one thread of another) that Wine runs for the
// prefix, and the program must be allowed to signal it. Its maps text goes to maps when asked.
// Each entry is read at most once, the cheap ones first, so that the host's own processes cost
// a link and their environment.
OpenResult OpenProcess(ProcessId id, ProgramsOfPrefix& sought, std::string* maps,
                       IdFrom from = IdFrom::Caller) {
    if (id == 0 || id == sought.self) {
        return OpenResult::NotFound;
    }
    if (from == IdFrom::Caller) {
        const std::optional<std::string> status = ReadProcFile(id, "status");
        if (!status || ParseId(StatusField(*status, "Tgid")) != id) {
            return OpenResult::NotFound;
        }
    }
    const std::optional<std::string> exeLink = ReadExeLink(id);
    if (!exeLink || !RunsForPrefix(id, sought.isPrefix)) {
        return OpenResult::NotFound;
    }
    const bool loader = IsWineLoader(*exeLink);
    std::string mapsText = loader && !maps ? "" : ReadProcFile(id, "maps").value_or("");
    if (!loader && !IsWineProcess(*exeLink, mapsText)) {
        return OpenResult::NotFound;
    }
    if (kill(static_cast<pid_t>(id), 0) != 0) {
        return errno == ESRCH ? OpenResult::NotFound : OpenResult::AccessDenied;
    }
    if (maps) {
        *maps = std::move(mapsText);
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

// The program path of an opened process of the machine, "" when it has none in Windows form.
std::string ProgramPathOf(ProcessId id, std::string_view maps, const Machine& machine) {
    return WindowsProgramPath(
        ProcessReadings{maps, [id] { return ReadComm(id); },
                        [id] { return ReadProcFile(id, "cmdline").value_or(""); }},
        [&](const std::string& hostPath) { return machine.paths().ToWindows(hostPath); });
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
    ProgramsOfPrefix sought(installation_().prefix().root());
    const bool listed = ForEachListedId([&](ProcessId id) {
        if (OpenProcess(id, sought, nullptr, IdFrom::Listing) != OpenResult::NotFound) {
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
    ProgramsOfPrefix sought(installation_().prefix().root());
    return OpenProcess(id, sought, nullptr);
}

std::optional<ProcessModule> ProcfsProcesses::FirstModule(ProcessId id) {
    const Machine& machine = installation_();
    std::string maps;
    ProgramsOfPrefix sought(machine.prefix().root());
    if (OpenProcess(id, sought, &maps) != OpenResult::Opened) {
        return std::nullopt;
    }
    std::string path = ProgramPathOf(id, maps, machine);
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
    ProgramsOfPrefix sought(machine.prefix().root());
    std::vector<ProcessEntry> entries;
    const bool listed = ForEachListedId([&](ProcessId id) {
        std::string maps;
        if (OpenProcess(id, sought, &maps, IdFrom::Listing) == OpenResult::Opened) {
            if (std::string path = ProgramPathOf(id, maps, machine); !path.empty()) {
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
