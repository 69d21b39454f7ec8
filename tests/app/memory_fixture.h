#pragma once

#include <string>

#include "platform/process_fake.h"
#include "scan_fixture.h"

// The memory scan and shield on the scan tests' machine, program folder and main window.
class MemoryTest : public ScanTest {
  protected:
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
