#include "support/child_process.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

extern char** environ;

namespace test_support {

std::vector<char*> CStrings(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (auto& text : texts) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

ChildProcess ChildProcess::Run(const std::filesystem::path& program,
                               std::vector<std::string> arguments) {
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        environment.emplace_back(*entry);
    }
    return Run(program, std::move(arguments), environment);
}

ChildProcess ChildProcess::Run(const std::filesystem::path& program,
                               std::vector<std::string> arguments,
                               const std::vector<std::string>& environment) {
    arguments.insert(arguments.begin(), program.string());
    return RunNamed(program, std::move(arguments), environment);
}

ChildProcess ChildProcess::RunNamed(const std::filesystem::path& program,
                                    std::vector<std::string> arguments,
                                    const std::vector<std::string>& environment) {
    std::vector<std::string> entries = environment;
    const std::vector<char*> argv = CStrings(arguments);
    const std::vector<char*> envp = CStrings(entries);
    pid_t id = -1;
    if (::posix_spawnp(&id, program.c_str(), nullptr, nullptr, argv.data(), envp.data()) != 0) {
        ADD_FAILURE() << "cannot run " << program;
        id = -1;
    }
    return ChildProcess(id);
}

ChildProcess ChildProcess::Fork(const std::function<void()>& work) {
    int ready[2];
    int hold[2];
    if (::pipe(ready) != 0 || ::pipe(hold) != 0) {
        ADD_FAILURE() << "cannot make pipes";
        return ChildProcess(-1);
    }
    const pid_t id = ::fork();
    if (id == 0) {
        ::close(ready[0]);
        ::close(hold[1]);
        work();
        char done = 1;
        (void)!::write(ready[1], &done, 1);
        (void)!::read(hold[0], &done, 1);  // returns when the parent closes its end
        ::_exit(0);
    }
    ::close(ready[1]);
    ::close(hold[0]);
    char done = 0;
    if (::read(ready[0], &done, 1) != 1) {
        ADD_FAILURE() << "the forked copy did not report";
    }
    ::close(ready[0]);
    return ChildProcess(id, hold[1]);
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : id_(other.id_), holdPipe_(other.holdPipe_) {
    other.id_ = -1;
    other.holdPipe_ = -1;
}

ChildProcess::~ChildProcess() {
    Stop();
}

std::optional<int> ChildProcess::WaitForExit(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (id_ > 0) {
        int status = 0;
        if (::waitpid(id_, &status, WNOHANG) == id_) {
            id_ = -1;
            return WIFEXITED(status) ? std::optional<int>(WEXITSTATUS(status)) : std::nullopt;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return std::nullopt;
}

void ChildProcess::Stop() {
    if (holdPipe_ >= 0) {
        ::close(holdPipe_);
        holdPipe_ = -1;
    }
    if (id_ > 0) {
        ::kill(id_, SIGKILL);
        ::waitpid(id_, nullptr, 0);
        id_ = -1;
    }
}

}  // namespace test_support
