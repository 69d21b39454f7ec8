#include "platform/process_fake.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

using namespace std::chrono_literals;

TEST(FakeProcesses, ScriptedProcessesRefuseToDieThenEnd) {
    FakeProcesses processes;
    processes.table = {{10, "C:\\a.exe", OpenResult::Opened, 2, false},
                       {11, "C:\\b.exe", OpenResult::Opened, FakeProcess::kRefusesForever, true},
                       {12, "C:\\c.exe", OpenResult::AccessDenied, 0, false}};

    EXPECT_FALSE(processes.Terminate(10));
    EXPECT_FALSE(processes.Terminate(10));
    EXPECT_EQ(processes.Wait(10, 1ms), WaitResult::StillRunning);
    EXPECT_TRUE(processes.Terminate(10));
    EXPECT_EQ(processes.Wait(10, 1ms), WaitResult::Ended);

    EXPECT_FALSE(processes.Terminate(11));
    EXPECT_EQ(processes.Wait(11, 1ms), WaitResult::Ended);
    EXPECT_FALSE(processes.Terminate(12));
    EXPECT_EQ(processes.Wait(99, 1ms), WaitResult::Gone);

    EXPECT_EQ(processes.terminated, std::vector<ProcessId>{10});
    EXPECT_EQ(processes.ProcessIds().value(), std::vector<ProcessId>{12});
    EXPECT_EQ(processes.calls.front(), "Terminate 10");
    EXPECT_EQ(processes.calls[2], "Wait 10 1ms");
}

TEST(FakeProcesses, OlderFamilyOffersSnapshotsOnly) {
    FakeProcesses processes;
    processes.snapshotOnly = true;
    processes.table = {{4, "", OpenResult::AccessDenied, 0, false},
                       {7, "C:\\WINDOWS\\A Very Long Program Name Indeed.exe"},
                       {9, "C:\\x.exe", OpenResult::AccessDenied, 0, false}};

    EXPECT_FALSE(processes.ProcessIds().has_value());
    EXPECT_EQ(processes.Snapshot().value().size(), 2u);
    EXPECT_EQ(processes.ProcessNames(),
              (std::vector<std::string>{"A Very Long Program Name Indeed.exe", "x.exe"}));
    EXPECT_FALSE(processes.FirstModule(9).has_value());
}

}  // namespace
}  // namespace platform
