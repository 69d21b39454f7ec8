#pragma once

#include <string>
#include <vector>

#include "platform/process_fake.h"
#include "support/child_process.h"
#include "support/forms_fixture.h"
#include "support/temporary_prefix.h"
#include "support/temporary_program_folder.h"

// A machine, a program folder, the program's identity and message table of their own for each
// test of the memory scan and shield; the main window loaded without its start-up.
class MemoryTest : public FormsTest {
  protected:
    MemoryTest();
    ~MemoryTest() override;

    // Runs a copy of sleep planted on drive C: of the prefix ("Program Files/Bad/badtool.exe"),
    // as spyware would be installed.
    test_support::ChildProcess RunPlanted(const std::string& belowDriveC) const;
    static bool IsRunning(const test_support::ChildProcess& child);
    // Waits a little for the child to end.
    static bool HasEnded(const test_support::ChildProcess& child);

    // Writes ExeDefinition.dat with the lines, encoded as definition files are.
    void WriteProgramDefinitions(const std::vector<std::string>& lines) const;
    // The text of ENoSignature.txt.
    std::string ExclusionFileText() const;

    test_support::TemporaryMachine machine;
    test_support::TemporaryProgramFolder program;
};

// MemoryTest with a scripted process table in place of the machine's processes.
class FakeMemoryTest : public MemoryTest {
  protected:
    // Adds a running program to the table.
    platform::FakeProcess& Run(platform::ProcessId id, const std::string& programPath);

    platform::FakeProcesses processes;
    platform::ScopedProcesses installed{processes};
};
