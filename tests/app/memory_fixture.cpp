#include "memory_fixture.h"

#include "foundation/definition_files.h"
#include "support/temporary_folder.h"

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
