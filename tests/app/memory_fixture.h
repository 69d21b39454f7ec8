#pragma once

#include <string>

#include "platform/process_fake.h"
#include "scan_fixture.h"
#include "support/child_process.h"

// The memory scan and shield on the scan tests' machine, program folder and main window.
class MemoryTest : public ScanTest {
  protected:
    // Runs a copy of sleep planted on drive C: of the prefix ("Program Files/Bad/badtool.exe"),
    // as spyware would be installed.
    test_support::ChildProcess RunPlanted(const std::string& belowDriveC) const;
    static bool IsRunning(const test_support::ChildProcess& child);
    // Waits a little for the child to end.
    static bool HasEnded(const test_support::ChildProcess& child);

    // Writes ExeDefinition.dat.
    void WriteProgramDefinitions(const std::vector<std::string>& lines) const;
    // The text of ENoSignature.txt.
    std::string ExclusionFileText() const;
    // The texts of the scan log's lines.
    std::vector<std::string> ScanLog() { return RowTexts(Main().lvwSpywareFound); }
};

// MemoryTest with a scripted process table in place of the machine's processes.
class FakeMemoryTest : public MemoryTest {
  protected:
    // Adds a running program to the table.
    platform::FakeProcess& Run(platform::ProcessId id, const std::string& programPath);

    platform::FakeProcesses processes;
    platform::ScopedProcesses installed{processes};
};
