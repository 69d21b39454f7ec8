#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "support/wait_until.h"

// Running the host's programs from the end-to-end tests: Wine's tools and the program itself.
namespace e2e {

// The environment a child gets: this process' own, with some variables set or removed.
class ChildEnvironment {
  public:
    void Set(const std::string& name, const std::string& value) { changes_[name] = value; }
    void Remove(const std::string& name) { changes_[name] = std::nullopt; }
    // "NAME=value" entries, ready for a new process.
    std::vector<std::string> Entries() const;

  private:
    std::map<std::string, std::optional<std::string>> changes_;
};

struct CommandResult {
    int exitCode = -1;   // -1 when the command did not end by itself in time
    std::string output;  // standard output and standard error together
};

// Runs a command to its end, or kills it after the time-out; looks the program up on PATH.
CommandResult RunCommand(const std::vector<std::string>& command,
                         const ChildEnvironment& environment, std::chrono::seconds timeout,
                         const std::filesystem::path& workingFolder = {});

// A program left running while the test goes on; killed (SIGKILL) when the object goes unless it
// has ended.
class BackgroundProcess {
  public:
    BackgroundProcess(const std::vector<std::string>& command, const ChildEnvironment& environment,
                      const std::filesystem::path& outputFile);
    ~BackgroundProcess();
    BackgroundProcess(const BackgroundProcess&) = delete;
    BackgroundProcess& operator=(const BackgroundProcess&) = delete;

    pid_t id() const { return id_; }
    bool Running();
    void Signal(int signalNumber);
    // The wait status once the process ended within the time-out.
    std::optional<int> WaitForEnd(std::chrono::milliseconds timeout);

  private:
    pid_t id_ = -1;
    std::optional<int> status_;
};

using test_support::WaitUntil;

std::string ReadWholeFile(const std::filesystem::path& path);

// A text value as a hive file in Wine's layout stores it, read straight from the file (no Wine
// server runs meanwhile): keyHeader is the key's "[...]" line start, backslashes doubled.
std::optional<std::string> TextValueInHiveFile(const std::filesystem::path& hive,
                                               const std::string& keyHeader,
                                               const std::string& name);

}  // namespace e2e
