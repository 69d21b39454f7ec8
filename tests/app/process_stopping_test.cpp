#include "engine/process_stopping.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>

#include "platform/process_fake.h"
#include "support/temporary_prefix.h"

namespace {

using platform::FakeProcess;
using platform::OpenResult;
using platform::ProcessId;

TEST(ProgramNames, ShortFormAndListedStem) {
    EXPECT_EQ(ShortProgramName("notepad.exe"), "NOTEPA~1");
    EXPECT_EQ(ShortProgramName("LongProgramName.EXE"), "LONGPR~1");
    EXPECT_EQ(ShortProgramName("tool.exe"), "TOOL~1");
    EXPECT_EQ(ShortProgramName("abcdef.exe"), "ABCDEF~1");

    EXPECT_EQ(ProgramNameStem("badtool.exe"), "BADTOOL");
    EXPECT_EQ(ProgramNameStem("noextension"), "NOEXTENSION");
    EXPECT_EQ(ProgramNameStem("fifteen.chars.x"), "FIFTEEN");  // 15 characters: up to the "."
    EXPECT_EQ(ProgramNameStem("LongProgramName1.exe"), "LongProgramName");

    EXPECT_EQ(DropLastChar("abc"), "ab");
    EXPECT_EQ(DropLastChar(""), "");
    EXPECT_EQ(DropLastChar("x\u00e9"), "x");  // a whole character, not a byte
}

TEST(ProgramNames, ALongNameMatchesItsStemAndItsShortForm) {
    EXPECT_TRUE(IsSameProgramName("BADTOOL.EXE", "badtool.exe"));
    EXPECT_TRUE(IsSameProgramName("badtool.com", "badtool.exe"));
    EXPECT_FALSE(IsSameProgramName("badtools.exe", "badtool.exe"));
    // Sixteen characters or more: the first fifteen decide.
    EXPECT_TRUE(IsSameProgramName("LongProgramName2.exe", "LongProgramName1.exe"));
    EXPECT_TRUE(IsSameProgramName("LONGPR~1.EXE", "LongProgramName.exe"));
    EXPECT_TRUE(IsSameProgramName("C:\\Program Files\\LONGPR~1.EXE", "LongProgramName.exe"));
    EXPECT_FALSE(IsSameProgramName("LONGPR~2.EXE", "LongProgramName.exe"));
}

// A scripted process table on a temporary machine of the newer platform family.
class FakeProcessTable : public ::testing::Test {
  protected:
    test_support::TemporaryMachine machine;
    platform::FakeProcesses processes;
    platform::ScopedProcesses installed{processes};

    void Add(ProcessId id, const std::string& path, int refusals = 0) {
        FakeProcess process;
        process.id = id;
        process.programPath = path;
        process.refusedTerminations = refusals;
        processes.table.push_back(process);
    }

    long CallsOf(std::string_view name) const {
        return std::ranges::count_if(
            processes.calls, [&](const std::string& call) { return call.starts_with(name); });
    }
};

TEST_F(FakeProcessTable, ListsEveryNamedProcessBeyondTheFirstHundredAndTwentyEight) {
    Add(0, "");
    Add(2, "");
    Add(7, "C:\\windows\\system32\\hidden.exe");
    processes.table.back().open = OpenResult::AccessDenied;
    for (ProcessId id = 100; id < 400; ++id) {
        Add(id, "C:\\Program Files\\Tool\\tool" + std::to_string(id) + ".exe");
    }
    std::vector<std::string> names;
    std::vector<ProcessId> ids;
    ASSERT_EQ(GetProcessList(names, ids), 302);
    ASSERT_EQ(ids.size(), 302u);
    EXPECT_EQ(names[0], "System Idle Process");
    EXPECT_EQ(names[1], "System");
    EXPECT_EQ(names[301], "tool399.exe");
    EXPECT_EQ(ids[301], 399u);
    EXPECT_EQ(std::ranges::find(ids, 7u), ids.end());

    processes.snapshotOnly = true;  // no process ids to be had
    EXPECT_EQ(GetProcessList(names, ids), -1);
    EXPECT_TRUE(names.empty());
    EXPECT_TRUE(ids.empty());
}

TEST_F(FakeProcessTable, StopsEveryCopyWithTheDebugPrivilegeAroundEachTry) {
    Add(10, "C:\\windows\\explorer.exe");
    Add(11, "C:\\Program Files\\Bad\\badtool.exe", 3);
    Add(12, "C:\\Temp\\BADTOOL.EXE");
    EXPECT_TRUE(KillProcessByName("badtool.exe"));
    EXPECT_EQ(processes.terminated, (std::vector<ProcessId>{11, 12}));
    EXPECT_EQ(CallsOf("Terminate 11"), 4);
    EXPECT_EQ(CallsOf("Wait 11 1ms"), 3);
    EXPECT_EQ(CallsOf("SetDebugPrivilege on"), CallsOf("SetDebugPrivilege off"));
    EXPECT_EQ(CallsOf("Terminate 10"), 0);
}

TEST_F(FakeProcessTable, LeavesTheHostsOwnProgramsOfThatNameAlone) {
    Add(60, "Z:\\usr\\bin\\badtool");
    Add(61, "C:\\Program Files\\Bad\\badtool.exe");
    Add(62, "z:\\opt\\tools\\BADTOOL.EXE");
    EXPECT_TRUE(KillProcessByName("badtool.exe"));
    EXPECT_EQ(processes.terminated, (std::vector<ProcessId>{61}));
}

TEST_F(FakeProcessTable, GivesUpAfterElevenTriesAndCountsAnEndedProcessAsStopped) {
    Add(20, "C:\\Bad\\stubborn.exe", FakeProcess::kRefusesForever);
    EXPECT_FALSE(KillProcessByName("stubborn.exe"));
    EXPECT_EQ(CallsOf("Terminate 20"), 11);
    EXPECT_EQ(CallsOf("Wait 20"), 11);

    Add(21, "C:\\Bad\\leaving.exe", FakeProcess::kRefusesForever);
    processes.table.back().endsOnItsOwn = true;
    EXPECT_TRUE(KillProcessByName("leaving.exe"));
    EXPECT_EQ(CallsOf("Terminate 21"), 1);

    EXPECT_TRUE(KillProcessByName("notrunning.exe"));
}

TEST_F(FakeProcessTable, TheOlderFamilyNeedsNoPrivilegeAndAFailedPrivilegeStopsNothing) {
    Add(30, "C:\\Bad\\badtool.exe");
    processes.debugPrivilegeFails = true;
    EXPECT_FALSE(TerminateProcessById(30, 0));
    EXPECT_TRUE(processes.terminated.empty());

    machine.machine().OverrideVersion(
        platform::OsVersion{platform::VER_PLATFORM_WIN32_WINDOWS, 4, 90, 3000});
    EXPECT_TRUE(TerminateProcessById(30, 0));
    EXPECT_EQ(CallsOf("SetDebugPrivilege"), 1);

    Add(31, "C:\\Bad\\locked.exe");
    processes.table.back().open = OpenResult::AccessDenied;
    EXPECT_FALSE(KillProcessById(31));
    EXPECT_FALSE(KillProcessById(99));
}

TEST_F(FakeProcessTable, AFoundProgramIsStoppedByItsIdUnlessItsIdNowNamesAnotherProgram) {
    Add(40, "C:\\Program Files\\Good\\update.exe");
    Add(41, "C:\\Program Files\\Bad\\update.exe");
    EXPECT_TRUE(StopRunningProgram({41, "C:\\Program Files\\Bad\\update.exe"}));
    EXPECT_EQ(processes.terminated, (std::vector<ProcessId>{41}));

    // The program ended and its id went to another one: nothing is stopped.
    EXPECT_TRUE(StopRunningProgram({40, "C:\\Program Files\\Bad\\update.exe"}));
    EXPECT_TRUE(StopRunningProgram({77, "C:\\Program Files\\Bad\\update.exe"}));
    EXPECT_EQ(processes.terminated.size(), 1u);
}

TEST_F(FakeProcessTable, ALongNameStopsItsFifteenCharacterStemAndItsShortForm) {
    Add(50, "C:\\Planted\\LongProgramNameA.exe");
    Add(51, "C:\\Planted\\LONGPR~1.EXE");
    Add(52, "C:\\Planted\\LongProgramNam.exe");
    EXPECT_TRUE(KillProcessByName("LongProgramNameB.exe"));
    EXPECT_EQ(processes.terminated, (std::vector<ProcessId>{50, 51}));
}

// The program's own process is no program of the installation, and never stopped.
TEST(RealPrograms, NeverStopsItsOwnProcess) {
    const test_support::TemporaryMachine machine;
    EXPECT_FALSE(TerminateProcessById(static_cast<ProcessId>(getpid()), 0));
    EXPECT_FALSE(StopProcess(static_cast<ProcessId>(getpid())));
}

}  // namespace
