#include "platform/process_procfs.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <future>
#include <thread>

extern char** environ;

namespace platform {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Real child processes against a temporary prefix whose C: drive is drive_c.
class RunningProcesses : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        root_ = fs::temp_directory_path() /
                ("tw-processes-" + std::to_string(getpid()) + "-" + test->name());
        fs::create_directories(root_ / "drive_c");
        root_ = fs::canonical(root_);
    }

    void TearDown() override {
        for (const pid_t child : children_) {
            kill(child, SIGKILL);
            waitpid(child, nullptr, 0);
        }
        fs::remove_all(root_);
    }

    std::string ToWindows(const std::string& hostPath) const {
        const std::string driveC = (root_ / "drive_c").string() + "/";
        std::string windowsPath = hostPath.starts_with(driveC)
                                      ? "C:\\" + hostPath.substr(driveC.size())
                                      : "Z:" + hostPath;
        std::ranges::replace(windowsPath, '/', '\\');
        return windowsPath;
    }

    ProcfsProcesses processes{[this](const std::string& path) { return ToWindows(path); }};

    // A copy of sleep planted in the prefix, as spyware would be installed.
    fs::path PlantBadTool() {
        const fs::path folder = root_ / "drive_c" / "Program Files" / "Bad";
        fs::create_directories(folder);
        fs::copy_file("/bin/sleep", folder / "badtool.exe");
        fs::permissions(folder / "badtool.exe", fs::perms::owner_all);
        return folder / "badtool.exe";
    }

    ProcessId Start(const fs::path& program, const std::string& argument) {
        const std::string path = program.string();
        std::string argv0 = path;
        std::string argv1 = argument;
        char* argv[] = {argv0.data(), argv1.data(), nullptr};
        pid_t child = 0;
        EXPECT_EQ(posix_spawn(&child, path.c_str(), nullptr, nullptr, argv, environ), 0);
        children_.push_back(child);
        return static_cast<ProcessId>(child);
    }

    void Reap(ProcessId child) {
        waitpid(static_cast<pid_t>(child), nullptr, 0);
        std::erase(children_, static_cast<pid_t>(child));
    }

    bool InSnapshot(ProcessId id) {
        const auto entries = processes.Snapshot().value();
        return std::ranges::find(entries, id, &ProcessEntry::id) != entries.end();
    }

  private:
    fs::path root_;
    std::vector<pid_t> children_;
};

TEST_F(RunningProcesses, PlantedProgramIsListedUnderItsWindowsPathAndStopped) {
    const ProcessId id = Start(PlantBadTool(), "30");

    const auto ids = processes.ProcessIds().value();
    EXPECT_TRUE(std::ranges::is_sorted(ids));
    EXPECT_NE(std::ranges::find(ids, id), ids.end());

    ASSERT_EQ(processes.Open(id), OpenResult::Opened);
    const ProcessModule module = processes.FirstModule(id).value();
    EXPECT_EQ(module.path, "C:\\Program Files\\Bad\\badtool.exe");
    EXPECT_EQ(module.baseName, "badtool.exe");

    const auto entries = processes.Snapshot().value();
    const auto entry = std::ranges::find(entries, id, &ProcessEntry::id);
    ASSERT_NE(entry, entries.end());
    EXPECT_EQ(entry->programPath, "C:\\Program Files\\Bad\\badtool.exe");
    const auto names = processes.ProcessNames();
    EXPECT_NE(std::ranges::find(names, "badtool.exe"), names.end());

    EXPECT_EQ(processes.Wait(id, 1ms), WaitResult::StillRunning);
    EXPECT_TRUE(processes.Terminate(id));
    EXPECT_EQ(processes.Wait(id, 5s), WaitResult::Ended);

    Reap(id);
    EXPECT_EQ(processes.Wait(id, 1ms), WaitResult::Gone);
    EXPECT_EQ(processes.Open(id), OpenResult::NotFound);
    EXPECT_FALSE(processes.Terminate(id));
}

TEST_F(RunningProcesses, NativeProgramIsOnDriveZ) {
    const ProcessId id = Start("/bin/sleep", "30");
    std::string expected = "Z:" + fs::canonical("/bin/sleep").string();
    std::ranges::replace(expected, '/', '\\');
    EXPECT_EQ(processes.FirstModule(id).value().path, expected);
}

TEST_F(RunningProcesses, ProgramThatDeletedItsFileKeepsItsPath) {
    const fs::path program = PlantBadTool();
    const ProcessId id = Start(program, "30");
    fs::remove(program);
    EXPECT_EQ(processes.FirstModule(id).value().path, "C:\\Program Files\\Bad\\badtool.exe");
}

TEST_F(RunningProcesses, EndedButUnreapedProcessCannotBeOpenedAndIsSkipped) {
    const ProcessId id = Start("/bin/sleep", "0");
    ASSERT_EQ(processes.Wait(id, 5s), WaitResult::Ended);

    EXPECT_EQ(processes.Open(id), OpenResult::AccessDenied);
    EXPECT_FALSE(processes.FirstModule(id).has_value());
    EXPECT_FALSE(InSnapshot(id));
    EXPECT_FALSE(processes.Terminate(id));
}

TEST_F(RunningProcesses, KernelThreadsCannotBeOpened) {
    std::ifstream comm("/proc/2/comm");
    std::string name;
    if (!std::getline(comm, name) || name != "kthreadd") {
        GTEST_SKIP() << "no kernel threads visible here";
    }
    EXPECT_EQ(processes.Open(2), OpenResult::AccessDenied);
    EXPECT_FALSE(InSnapshot(2));
}

TEST_F(RunningProcesses, NeverStopsItselfItsParentOrInit) {
    EXPECT_EQ(processes.Open(static_cast<ProcessId>(getpid())), OpenResult::Opened);
    EXPECT_FALSE(processes.Terminate(static_cast<ProcessId>(getpid())));
    EXPECT_FALSE(processes.Terminate(static_cast<ProcessId>(getppid())));
    EXPECT_FALSE(processes.Terminate(1));
    EXPECT_FALSE(processes.Terminate(0));

    // The id of one of the program's own threads names no process: signalling it would end the
    // whole program.
    std::promise<pid_t> threadId;
    std::promise<void> done;
    std::thread worker([&] {
        threadId.set_value(static_cast<pid_t>(syscall(SYS_gettid)));
        done.get_future().wait();
    });
    const auto id = static_cast<ProcessId>(threadId.get_future().get());
    EXPECT_EQ(processes.Open(id), OpenResult::NotFound);
    EXPECT_FALSE(processes.Terminate(id));
    done.set_value();
    worker.join();
}

}  // namespace
}  // namespace platform
