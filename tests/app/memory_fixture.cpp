#include "memory_fixture.h"

#include <filesystem>

#include "foundation/definition_files.h"
#include "support/temporary_folder.h"

namespace fs = std::filesystem;

test_support::ChildProcess MemoryTest::RunPlanted(const std::string& belowDriveC) const {
    const fs::path program = machine.prefix().DriveC(belowDriveC);
    fs::create_directories(program.parent_path());
    fs::copy_file("/bin/sleep", program, fs::copy_options::overwrite_existing);
    fs::permissions(program, fs::perms::owner_all);
    return test_support::ChildProcess::Run(program, {"30"});
}

bool MemoryTest::IsRunning(const test_support::ChildProcess& child) {
    return platform::CurrentProcesses().Wait(static_cast<platform::ProcessId>(child.id()),
                                             std::chrono::milliseconds(1)) ==
           platform::WaitResult::StillRunning;
}

bool MemoryTest::HasEnded(const test_support::ChildProcess& child) {
    return platform::CurrentProcesses().Wait(static_cast<platform::ProcessId>(child.id()),
                                             std::chrono::seconds(5)) ==
           platform::WaitResult::Ended;
}

void MemoryTest::WriteProgramDefinitions(const std::vector<std::string>& lines) const {
    WriteDefinitions(kExeDefinitionFile, lines);
}

std::string MemoryTest::ExclusionFileText() const {
    return test_support::ReadHostFileOrEmpty(program.path() / "ENoSignature.txt");
}

platform::FakeProcess& FakeMemoryTest::Run(platform::ProcessId id, const std::string& programPath) {
    platform::FakeProcess process;
    process.id = id;
    process.programPath = programPath;
    return processes.table.emplace_back(process);
}
