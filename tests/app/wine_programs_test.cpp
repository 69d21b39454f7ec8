// The running programs of the installation on real Wine: the programs Wine runs for the prefix,
// and none of the host's or another prefix's.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <thread>

#include "engine/memory_scan.h"
#include "engine/process_stopping.h"
#include "foundation/line_codec.h"
#include "foundation/path_text.h"
#include "memory_fixture.h"
#include "platform/text_encoding.h"
#include "server/definitions_server_process.h"
#include "support/scoped_environment.h"
#include "support/wine_test_prefix.h"
#include "update/submission.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using platform::ProcessEntry;
using platform::ProcessId;
using test_support::ChildProcess;

constexpr char kBadTool[] = "C:\\Program Files\\Bad\\badtool.exe";
constexpr char kWineServices[] = "C:\\windows\\system32\\services.exe";

// Wine's console ping under a name the definitions give: a Windows program that runs as long as
// it is told to, with no display.
ChildProcess RunBadTool(const test_support::WineTestPrefix& prefix) {
    fs::create_directories(prefix.DriveC("Program Files/Bad"));
    fs::copy_file(prefix.DriveC("windows/system32/ping.exe"),
                  prefix.DriveC("Program Files/Bad/badtool.exe"));
    return prefix.Run(kBadTool, {"-n", "120", "127.0.0.1"});
}

ProcessId IdOf(const ChildProcess& child) {
    return static_cast<ProcessId>(child.id());
}

bool IsRunning(const ChildProcess& child) {
    return platform::CurrentProcesses().Wait(IdOf(child), 1ms) ==
           platform::WaitResult::StillRunning;
}

std::vector<ProcessEntry> RunningPrograms() {
    return platform::CurrentProcesses().Snapshot().value_or(std::vector<ProcessEntry>{});
}

bool IsListed(const std::string& programPath) {
    const std::vector<ProcessEntry> listed = RunningPrograms();
    return std::ranges::find(listed, programPath, &ProcessEntry::programPath) != listed.end();
}

// The names a submission carried, decoded.
std::vector<std::string> SubmittedNames(const std::string& data) {
    std::vector<std::string> names;
    const std::string text = platform::Windows1252ToUtf8(data);
    for (const std::string_view name : SplitAt(text, '|')) {
        names.push_back(DecodeLine(name));
    }
    return names;
}

class WinePrograms : public MemoryTest {
  protected:
    WinePrograms() {
        // The definitions name the native copy's path too: only what runs it keeps it out.
        WriteProgramDefinitions(
            {"badtool.exe=Bad Tool|[progfil]Bad", "badtool.exe=Bad Tool|[progfil]Native"});
    }

    // Both prefixes are made side by side.
    test_support::WineTestPrefix prefix;
    test_support::WineTestPrefix otherPrefix;
};

TEST_F(WinePrograms, OnlyThePrefixsProgramsAreListedStoppedAndSent) {
    ASSERT_TRUE(prefix.Ready());
    ASSERT_TRUE(otherPrefix.Ready());
    const platform::ScopedMachine installation(
        platform::OpenMachine(platform::Prefix(prefix.root())));
    ChildProcess otherPrefixs = RunBadTool(otherPrefix);
    // A copy of sleep named like the program, in the prefix and with the prefix in its environment.
    const fs::path nativeCopy = prefix.DriveC("Program Files/Native/badtool.exe");
    fs::create_directories(nativeCopy.parent_path());
    fs::copy_file("/bin/sleep", nativeCopy);
    ChildProcess native = ChildProcess::Run(nativeCopy, {"120"}, prefix.Environment());
    Main().cmdScan.SetEnabled(false);  // inside a scan

    // Nothing of the installation runs yet.
    ScanMemoryByPlatform();
    EXPECT_EQ(Main().lblTotalNoOfRunningItems.Caption(), "0");
    EXPECT_TRUE(RunningPrograms().empty());

    ChildProcess ours = RunBadTool(prefix);
    const auto deadline = std::chrono::steady_clock::now() + 60s;
    while (!IsListed(kWineServices) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(100ms);
    }

    // Listed, each under its path in the prefix, Wine's own programs in the system folder.
    const std::vector<ProcessEntry> listed = RunningPrograms();
    const auto oursListed = std::ranges::find(listed, IdOf(ours), &ProcessEntry::id);
    ASSERT_NE(oursListed, listed.end());
    EXPECT_EQ(oursListed->programPath, kBadTool);
    EXPECT_TRUE(IsListed(kWineServices));
    for (const ProcessEntry& entry : listed) {
        EXPECT_TRUE(entry.programPath == kBadTool ||
                    entry.programPath.starts_with("C:\\windows\\system32\\"))
            << entry.programPath;
    }

    // Sent: the names of the prefix's programs only.
    DefinitionsServerProcess server;
    const test_support::ScopedEnvironmentVariable serverAddress("TOLLENWARK_DEFINITIONS_SERVER",
                                                                server.BaseUrl());
    SubmitAnonymousData();
    ASSERT_EQ(server.Submissions().size(), 1u);
    const std::vector<std::string> sent = SubmittedNames(server.Submissions().front());
    EXPECT_EQ(std::ranges::count(sent, "badtool.exe"), 1);
    for (const std::string& name : sent) {
        EXPECT_TRUE(name == "badtool.exe" || fs::exists(prefix.DriveC("windows/system32") / name))
            << name << " is no program of the prefix";
    }

    // Stopped by the scan and by name; the others run on.
    ScanMemoryByPlatform();
    EXPECT_EQ(ScanLog(), std::vector<std::string>{
                             "Detected in the memory : BADTOOL.EXE was stopped from running."});
    EXPECT_NE(Main().lblTotalNoOfRunningItems.Caption(), "0");
    EXPECT_EQ(platform::CurrentProcesses().Wait(IdOf(ours), 5s), platform::WaitResult::Ended);
    EXPECT_TRUE(KillProcessByName("badtool.exe"));
    EXPECT_TRUE(IsRunning(native));
    EXPECT_TRUE(IsRunning(otherPrefixs));
}

}  // namespace
