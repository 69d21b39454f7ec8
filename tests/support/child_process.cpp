#include "support/child_process.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace test_support {

ChildProcess ChildProcess::Run(const std::filesystem::path& program,
                               std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), program.string());
    std::vector<char*> argv;
    for (auto& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    pid_t id = -1;
    if (::posix_spawn(&id, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
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
