#include "memory_fixture.h"

#include <filesystem>

#include "engine/globals.h"
#include "forms/form_registry.h"
#include "foundation/brand.h"
#include "foundation/globals.h"
#include "foundation/line_codec.h"
#include "localization/globals.h"
#include "platform/text_encoding.h"
#include "support/main_window.h"
#include "support/temporary_folder.h"

namespace {

void ResetProgram() {
    forms::DestroyAllForms();
    ResetFoundationGlobals();
    ResetLocalizationGlobals();
    ResetEngineGlobals();
}

}  // namespace

MemoryTest::MemoryTest() {
    ResetProgram();
    InitBrandSettings();
    gLanguages = std::make_unique<clsLanguages>();
    gLanguages->LoadDefaultMessages();
    test_support::LoadMainWindowWithoutStartUp();
}

MemoryTest::~MemoryTest() {
    ResetProgram();
}

test_support::ChildProcess MemoryTest::RunPlanted(const std::string& belowDriveC) const {
    const std::filesystem::path program = machine.prefix().DriveC(belowDriveC);
    std::filesystem::create_directories(program.parent_path());
    std::filesystem::copy_file("/bin/sleep", program,
                               std::filesystem::copy_options::overwrite_existing);
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
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
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += platform::Utf8ToWindows1252(EncodeLine(line)) + "\r\n";
    }
    program.WriteFile("ExeDefinition.dat", bytes);
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
