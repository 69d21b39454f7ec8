#include "e2e/commands.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "support/child_process.h"

extern char** environ;

namespace e2e {

namespace {

using Clock = std::chrono::steady_clock;

// Output goes to a file rather than a pipe: Wine's server, started by a command, lives on after
// it and would hold a pipe open.
pid_t Spawn(const std::vector<std::string>& command, const ChildEnvironment& environment,
            const std::filesystem::path& outputFile,
            const std::filesystem::path& workingFolder = {}) {
    std::vector<std::string> arguments = command;
    std::vector<std::string> entries = environment.Entries();
    std::vector<std::string> prefixedCommand;
    if (!workingFolder.empty()) {
        // posix_spawn has no portable working-folder action: let a shell change into it.
        prefixedCommand = {"/bin/sh", "-c", "cd \"$0\" && exec \"$@\"", workingFolder.string()};
        prefixedCommand.insert(prefixedCommand.end(), arguments.begin(), arguments.end());
        arguments = prefixedCommand;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // Its own process group, so that ending it reaches whatever it started.
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    pid_t id = -1;
    const int failure = ::posix_spawnp(&id, arguments.front().c_str(), &actions, &attributes,
                                       test_support::CStrings(arguments).data(),
                                       test_support::CStrings(entries).data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (failure != 0) {
        throw std::runtime_error("cannot run " + arguments.front());
    }
    return id;
}

std::optional<int> WaitForChild(pid_t id, std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        int status = 0;
        if (::waitpid(id, &status, WNOHANG) == id) {
            return status;
        }
        if (Clock::now() >= deadline) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

std::filesystem::path NewOutputFile() {
    std::string pattern = (std::filesystem::temp_directory_path() / "e2e-output-XXXXXX").string();
    const int descriptor = ::mkstemp(pattern.data());
    if (descriptor < 0) {
        throw std::runtime_error("cannot make a temporary file");
    }
    ::close(descriptor);
    return pattern;
}

}  // namespace

std::vector<std::string> ChildEnvironment::Entries() const {
    std::vector<std::string> entries;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text = *entry;
        if (!changes_.contains(text.substr(0, text.find('=')))) {
            entries.push_back(text);
        }
    }
    for (const auto& [name, value] : changes_) {
        if (value) {
            entries.push_back(name + "=" + *value);
        }
    }
    return entries;
}

CommandResult RunCommand(const std::vector<std::string>& command,
                         const ChildEnvironment& environment, std::chrono::seconds timeout,
                         const std::filesystem::path& workingFolder) {
    const std::filesystem::path outputFile = NewOutputFile();
    CommandResult result;
    const pid_t id = Spawn(command, environment, outputFile, workingFolder);
    if (const auto status = WaitForChild(id, timeout)) {
        result.exitCode = WIFEXITED(*status) ? WEXITSTATUS(*status) : 128 + WTERMSIG(*status);
    } else {
        ::kill(-id, SIGKILL);
        ::waitpid(id, nullptr, 0);
    }
    result.output = ReadWholeFile(outputFile);
    std::filesystem::remove(outputFile);
    return result;
}

BackgroundProcess::BackgroundProcess(const std::vector<std::string>& command,
                                     const ChildEnvironment& environment,
                                     const std::filesystem::path& outputFile)
    : id_(Spawn(command, environment, outputFile)) {}

BackgroundProcess::~BackgroundProcess() {
    if (!status_) {
        ::kill(-id_, SIGKILL);
        ::waitpid(id_, nullptr, 0);
    }
}

bool BackgroundProcess::Running() {
    if (!status_) {
        status_ = WaitForChild(id_, std::chrono::milliseconds(0));
    }
    return !status_;
}

void BackgroundProcess::Signal(int signalNumber) {
    if (Running()) {
        ::kill(id_, signalNumber);
    }
}

std::optional<int> BackgroundProcess::WaitForEnd(std::chrono::milliseconds timeout) {
    if (!status_) {
        status_ = WaitForChild(id_, timeout);
    }
    return status_;
}

std::string ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::optional<std::string> TextValueInHiveFile(const std::filesystem::path& hive,
                                               const std::string& keyHeader,
                                               const std::string& name) {
    std::istringstream lines(ReadWholeFile(hive));
    const std::string start = "\"" + name + "\"=\"";
    bool inKey = false;
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("[")) {
            inKey = line.starts_with(keyHeader);
        } else if (inKey && line.starts_with(start) && line.ends_with("\"")) {
            return line.substr(start.size(), line.size() - start.size() - 1);
        }
    }
    return std::nullopt;
}

}  // namespace e2e
