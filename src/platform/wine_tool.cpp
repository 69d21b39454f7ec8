#include "platform/wine_tool.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>

#include "platform/registry.h"

extern char** environ;

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;

// How often a child without a process descriptor is looked at.
constexpr std::chrono::milliseconds kWaitSlice{10};

WaitingHook& InstalledWaitingHook() {
    static WaitingHook hook;
    return hook;
}

std::chrono::milliseconds& DeadlineForTests() {
    static std::chrono::milliseconds deadline{0};
    return deadline;
}

std::string WineProgram() {
    const char* chosen = std::getenv("WINE");
    return chosen && *chosen ? chosen : "wine";
}

// This process' environment with the prefix's Wine settings; quiet, as nobody reads Wine's
// diagnostics here.
std::vector<std::string> ChildEnvironment(const std::string& prefixFolder) {
    std::vector<std::string> entries;
    for (char** entry = environ; *entry; ++entry) {
        const std::string_view text = *entry;
        if (!text.starts_with("WINEPREFIX=") && !text.starts_with("WINEDEBUG=")) {
            entries.emplace_back(text);
        }
    }
    entries.push_back("WINEPREFIX=" + prefixFolder);
    entries.push_back("WINEDEBUG=-all");
    return entries;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

// An unnamed file for what a child prints: a Wine server the child starts outlives it and would
// hold a pipe open.
int OutputFile() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tollenwark-wine-XXXXXX").string();
    const int descriptor = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (descriptor >= 0) {
        ::unlink(pattern.c_str());
    }
    return descriptor;
}

struct Child {
    pid_t id = -1;
    int pidDescriptor = -1;
    int output = -1;
    std::optional<int> status;
};

// A process group of its own (so that a timed-out tool goes with whatever it started), default
// signal handling, nothing of this process' open files but what it prints into.
bool Start(Child& child, std::vector<std::string> arguments,
           std::vector<std::string>& environment) {
    child.output = OutputFile();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    if (child.output >= 0) {
        posix_spawn_file_actions_adddup2(&actions, child.output, 1);
        posix_spawn_file_actions_adddup2(&actions, child.output, 2);
    }
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t signals;
    sigemptyset(&signals);
    posix_spawnattr_setsigmask(&attributes, &signals);
    sigfillset(&signals);
    posix_spawnattr_setsigdefault(&attributes, &signals);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(
        &attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    const int failure = ::posix_spawnp(&child.id, arguments.front().c_str(), &actions, &attributes,
                                       Pointers(arguments).data(), Pointers(environment).data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (failure != 0) {
        child.id = -1;
        return false;
    }
    // A descriptor that polls readable when the child ends (-1 on kernels without it).
    child.pidDescriptor = static_cast<int>(::syscall(SYS_pidfd_open, child.id, 0));
    return true;
}

void Reap(Child& child, int options) {
    int status = 0;
    if (::waitpid(child.id, &status, options) == child.id) {
        child.status = status;
    }
}

// Waits until every child ended or the deadline passed, in the waiting hook where it waits, else
// in poll. A child without a process descriptor cannot wake the wait: it is looked at every slice.
void WaitForAll(std::vector<Child>& children, Clock::time_point deadline) {
    for (;;) {
        std::vector<pollfd> waiting;
        std::vector<int> descriptors;
        bool blind = false;
        for (Child& child : children) {
            if (child.id > 0 && !child.status) {
                Reap(child, WNOHANG);
            }
            if (child.id > 0 && !child.status) {
                waiting.push_back({child.pidDescriptor, POLLIN, 0});
                if (child.pidDescriptor >= 0) {
                    descriptors.push_back(child.pidDescriptor);
                } else {
                    blind = true;
                }
            }
        }
        const auto now = Clock::now();
        if (waiting.empty() || now >= deadline) {
            return;
        }
        auto limit = std::chrono::ceil<std::chrono::milliseconds>(deadline - now);
        if (blind) {
            limit = std::min(limit, kWaitSlice);
        }
        const WaitingHook& hook = InstalledWaitingHook();
        if (!hook || !hook(descriptors, limit)) {
            ::poll(waiting.data(), waiting.size(), static_cast<int>(limit.count()));
        }
    }
}

std::string PrintedBy(const Child& child) {
    std::string text;
    if (child.output < 0 || ::lseek(child.output, 0, SEEK_SET) != 0) {
        return text;
    }
    char buffer[4096];
    for (ssize_t got; (got = ::read(child.output, buffer, sizeof buffer)) > 0;) {
        text.append(buffer, static_cast<std::size_t>(got));
    }
    return text;
}

// Kills what is still running, closes the descriptors, and tells what went wrong.
long Finish(std::vector<Child>& children, const std::vector<std::vector<std::string>>& commands) {
    long result = ERROR_SUCCESS;
    for (std::size_t i = 0; i < children.size(); ++i) {
        Child& child = children[i];
        long outcome = ERROR_SUCCESS;
        if (child.id <= 0) {
            outcome = ERROR_WINE_TOOL_NOT_STARTED;
        } else if (!child.status) {
            ::kill(-child.id, SIGKILL);
            Reap(child, 0);
            outcome = ERROR_WINE_TOOL_TIMED_OUT;
        } else if (!WIFEXITED(*child.status) || WEXITSTATUS(*child.status) != 0) {
            outcome = ERROR_WINE_TOOL_FAILED;
        }
        if (outcome != ERROR_SUCCESS) {
            std::string line = WineProgram();
            for (const std::string& argument : commands[i]) {
                line += " " + argument;
            }
            std::cerr << line << ": " << RegistryErrorText(outcome) << "\n" << PrintedBy(child);
            if (result == ERROR_SUCCESS) {
                result = outcome;
            }
        }
        for (int descriptor : {child.pidDescriptor, child.output}) {
            if (descriptor >= 0) {
                ::close(descriptor);
            }
        }
    }
    return result;
}

}  // namespace

void SetWaitingHook(WaitingHook hook) {
    InstalledWaitingHook() = std::move(hook);
}

void SetWineToolDeadlineForTests(std::chrono::milliseconds deadline) {
    DeadlineForTests() = deadline;
}

long RunWineTools(const std::string& prefixFolder,
                  const std::vector<std::vector<std::string>>& commands) {
    const auto deadline =
        Clock::now() + (DeadlineForTests().count() > 0 ? DeadlineForTests() : kWineToolDeadline);
    std::vector<std::string> environment = ChildEnvironment(prefixFolder);
    std::vector<Child> children(commands.size());
    for (std::size_t i = 0; i < commands.size(); ++i) {
        std::vector<std::string> arguments = {WineProgram()};
        arguments.insert(arguments.end(), commands[i].begin(), commands[i].end());
        Start(children[i], std::move(arguments), environment);
    }
    WaitForAll(children, deadline);
    return Finish(children, commands);
}

std::string WineNameOfHostPath(const std::string& hostPath) {
    std::string name = "\\\\?\\unix";
    for (char c : hostPath) {
        name += c == '/' ? '\\' : c;
    }
    return name;
}

}  // namespace platform
