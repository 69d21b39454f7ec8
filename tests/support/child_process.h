#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace test_support {

// The NULL-terminated array of C strings a new process takes; it points into texts.
std::vector<char*> CStrings(std::vector<std::string>& texts);

// A real child process for a test, stopped and reaped when the object goes.
class ChildProcess {
  public:
    // Runs a program with arguments, in this process' environment or in the given one ("NAME=value"
    // entries); a program without a folder is looked up on PATH.
    static ChildProcess Run(const std::filesystem::path& program,
                            std::vector<std::string> arguments);
    static ChildProcess Run(const std::filesystem::path& program,
                            std::vector<std::string> arguments,
                            const std::vector<std::string>& environment);
    // The same with the whole argument list given, the process' own name first: a name other than
    // the program's path.
    static ChildProcess RunNamed(const std::filesystem::path& program,
                                 std::vector<std::string> arguments,
                                 const std::vector<std::string>& environment);
    // Runs work in a forked copy of the test process and returns once the copy reports that the
    // work is done; the copy then waits until it is stopped.
    static ChildProcess Fork(const std::function<void()>& work);

    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&&) = delete;
    ~ChildProcess();

    pid_t id() const { return id_; }
    // Waits for the child to end by itself and reaps it: its exit code, or nothing when it did not
    // exit within the time-out (it then runs on) or was ended by a signal.
    std::optional<int> WaitForExit(std::chrono::milliseconds timeout);
    // Ends the child (SIGKILL) and reaps it.
    void Stop();

  private:
    explicit ChildProcess(pid_t id, int holdPipe = -1) : id_(id), holdPipe_(holdPipe) {}

    pid_t id_;
    int holdPipe_;  // closing it releases a forked copy
};

}  // namespace test_support
