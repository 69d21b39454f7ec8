#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/child_process.h"
#include "support/temporary_folder.h"

namespace test_support {

// A real Wine prefix in a temporary folder, made by Wine's own wineboot, and Windows programs run
// in it. Wine runs headless: no display, no runtime installers. Making a prefix takes seconds, so
// the constructor only starts it: several prefixes are made side by side, and Ready waits.
// Kills every process started with this prefix in WINEPREFIX. A Wine process caught starting while
// its server ends can wait for ever, keeping whatever output it was given (the test runner's pipe
// among them): none may outlive its prefix.
void KillProcessesOf(const std::filesystem::path& prefix);

class WineTestPrefix {
  public:
    WineTestPrefix();
    // The prefix in a new folder of the caller's (under a home folder, as ~/.wine is).
    explicit WineTestPrefix(std::filesystem::path folder);
    // Ends every program Wine runs for the prefix.
    ~WineTestPrefix();
    WineTestPrefix(const WineTestPrefix&) = delete;
    WineTestPrefix& operator=(const WineTestPrefix&) = delete;

    // Waits until the prefix is made and Wine's server has written its hives and ended; fails the
    // test when that does not happen in time.
    bool Ready();

    const std::filesystem::path& root() const { return root_; }
    std::filesystem::path DriveC(const std::filesystem::path& relative) const;
    // This process' environment with the prefix's Wine settings, for the prefix's programs.
    std::vector<std::string> Environment() const;

    // Copies one of Wine's programs of the prefix's system folder ("ping.exe") to a path below
    // drive C:.
    void CopyWineProgram(const std::string& fileName,
                         const std::filesystem::path& belowDriveC) const;
    // Runs a Windows program (a Windows path, or a name Wine looks up) with arguments, and returns
    // once Wine has started it; fails the test when it does not start in time.
    ChildProcess Run(const std::string& program, const std::vector<std::string>& arguments) const;

  private:
    std::optional<TemporaryFolder> folder_;
    std::filesystem::path root_;
    std::optional<ChildProcess> boot_;
};

}  // namespace test_support
