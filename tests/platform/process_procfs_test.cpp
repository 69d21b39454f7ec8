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
#include "support/scoped_environment.h"
#include "support/temporary_prefix.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test_support::ChildProcess;
using test_support::ScopedEnvironmentVariable;

// Real child processes beside a temporary prefix that no Wine runs for (wine_programs_test.cpp in
// the app tests runs Windows programs under Wine).
class RunningProcesses : public ::testing::Test {
  protected:
    test_support::TemporaryMachine machine;
    Processes& processes = CurrentProcesses();

    static ProcessId IdOf(const ChildProcess& child) { return static_cast<ProcessId>(child.id()); }

    bool InSnapshot(ProcessId id) {
        const auto entries = processes.Snapshot().value();
        return std::ranges::find(entries, id, &ProcessEntry::id) != entries.end();
    }
};

// A copy of sleep planted in the prefix as a Windows program, with the prefix in its environment:
// still a host program, which Wine does not run.
TEST_F(RunningProcesses, HostProgramsAreNoProgramsOfTheInstallation) {
    const fs::path program = machine.prefix().DriveC("Program Files/Bad/badtool.exe");
    fs::create_directories(program.parent_path());
    fs::copy_file("/bin/sleep", program);
    const ScopedEnvironmentVariable prefix("WINEPREFIX", machine.prefix().root().string());
    const ChildProcess planted = ChildProcess::Run(program, {"30"});
    const ChildProcess native = ChildProcess::Run("/bin/sleep", {"30"});

    EXPECT_EQ(processes.ProcessIds(), std::vector<ProcessId>{});
    EXPECT_TRUE(processes.Snapshot().value().empty());
    EXPECT_EQ(processes.ProcessNames(), std::vector<std::string>{});
    for (const ChildProcess* child : {&planted, &native}) {
        EXPECT_EQ(processes.Open(IdOf(*child)), OpenResult::NotFound);
        EXPECT_FALSE(processes.FirstModule(IdOf(*child)).has_value());
        EXPECT_FALSE(processes.Terminate(IdOf(*child)));
        EXPECT_EQ(processes.Wait(IdOf(*child), 1ms), WaitResult::StillRunning);
    }
}

TEST_F(RunningProcesses, EndedButUnreapedProcessCannotBeOpenedAndIsSkipped) {
    ChildProcess child = ChildProcess::Run("/bin/sleep", {"0"});
    const ProcessId id = IdOf(child);
    ASSERT_EQ(processes.Wait(id, 5s), WaitResult::Ended);

    EXPECT_EQ(processes.Open(id), OpenResult::NotFound);
    EXPECT_FALSE(processes.FirstModule(id).has_value());
    EXPECT_FALSE(InSnapshot(id));
    EXPECT_FALSE(processes.Terminate(id));

    child.Stop();  // reaps it
    EXPECT_EQ(processes.Wait(id, 1ms), WaitResult::Gone);
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
    EXPECT_EQ(processes.Open(2), OpenResult::NotFound);
    EXPECT_FALSE(InSnapshot(2));
}

TEST_F(RunningProcesses, NeverStopsItselfItsParentOrInit) {
    EXPECT_EQ(processes.Open(static_cast<ProcessId>(getpid())), OpenResult::NotFound);
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
