#include "platform/process_procfs.h"

#include <gtest/gtest.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <future>
#include <thread>

#include "platform/files_in_use.h"
#include "platform/process_fake.h"
#include "support/child_process.h"
#include "support/temporary_prefix.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test_support::ChildProcess;

// Real child processes, named through the drives of a temporary prefix.
class RunningProcesses : public ::testing::Test {
  protected:
    test_support::TemporaryMachine machine;
    Processes& processes = CurrentProcesses();

    // A copy of sleep planted in the prefix, as spyware would be installed.
    fs::path PlantBadTool() {
        const fs::path program = machine.prefix().DriveC("Program Files/Bad/badtool.exe");
        fs::create_directories(program.parent_path());
        fs::copy_file("/bin/sleep", program);
        fs::permissions(program, fs::perms::owner_all);
        return program;
    }

    static ProcessId IdOf(const ChildProcess& child) { return static_cast<ProcessId>(child.id()); }

    bool InSnapshot(ProcessId id) {
        const auto entries = processes.Snapshot().value();
        return std::ranges::find(entries, id, &ProcessEntry::id) != entries.end();
    }
};

TEST_F(RunningProcesses, PlantedProgramIsListedUnderItsWindowsPathAndStopped) {
    ChildProcess child = ChildProcess::Run(PlantBadTool(), {"30"});
    const ProcessId id = IdOf(child);

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

    child.Stop();  // reaps it
    EXPECT_EQ(processes.Wait(id, 1ms), WaitResult::Gone);
    EXPECT_EQ(processes.Open(id), OpenResult::NotFound);
    EXPECT_FALSE(processes.Terminate(id));
}

TEST_F(RunningProcesses, NativeProgramIsOnDriveZ) {
    const ChildProcess child = ChildProcess::Run("/bin/sleep", {"30"});
    std::string expected = "Z:" + fs::canonical("/bin/sleep").string();
    std::ranges::replace(expected, '/', '\\');
    EXPECT_EQ(processes.FirstModule(IdOf(child)).value().path, expected);
}

TEST_F(RunningProcesses, ProgramThatDeletedItsFileKeepsItsPath) {
    const fs::path program = PlantBadTool();
    const ChildProcess child = ChildProcess::Run(program, {"30"});
    fs::remove(program);
    EXPECT_EQ(processes.FirstModule(IdOf(child)).value().path,
              "C:\\Program Files\\Bad\\badtool.exe");
}

TEST_F(RunningProcesses, EndedButUnreapedProcessCannotBeOpenedAndIsSkipped) {
    const ChildProcess child = ChildProcess::Run("/bin/sleep", {"0"});
    const ProcessId id = IdOf(child);
    ASSERT_EQ(processes.Wait(id, 5s), WaitResult::Ended);

    EXPECT_EQ(processes.Open(id), OpenResult::AccessDenied);
    EXPECT_FALSE(processes.FirstModule(id).has_value());
    EXPECT_FALSE(InSnapshot(id));
    EXPECT_FALSE(processes.Terminate(id));
}

// Programs end all the time; one that ends between the opening of its files and their reading
// must drop out of a snapshot, not break it.
TEST_F(RunningProcesses, SnapshotsHoldWhileProgramsEndAroundThem) {
    std::atomic<bool> done = false;
    std::thread churn([&done] {
        while (!done) {
            const ChildProcess shortLived = ChildProcess::Run("/bin/true", {});
        }
    });
    const auto until = std::chrono::steady_clock::now() + 2s;
    int snapshots = 0;
    while (std::chrono::steady_clock::now() < until) {
        EXPECT_NO_THROW(processes.Snapshot());
        EXPECT_NO_THROW(FilesInUse::Snapshot());
        ++snapshots;
    }
    done = true;
    churn.join();
    EXPECT_GT(snapshots, 0);
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

TEST(CurrentProcesses, AnInstalledServiceStandsInForItsScope) {
    Processes& linuxProcesses = CurrentProcesses();
    FakeProcesses fake;
    {
        const ScopedProcesses scope(fake);
        EXPECT_EQ(&CurrentProcesses(), &fake);
    }
    EXPECT_EQ(&CurrentProcesses(), &linuxProcesses);
}

}  // namespace
}  // namespace platform
