#include "memory_fixture.h"

#include "engine/spyware_alert.h"
#include "forms/form_registry.h"
#include "foundation/brand.h"
#include "foundation/globals.h"
#include "localization/globals.h"
#include "support/temporary_folder.h"

namespace {

void ResetProgram() {
    forms::DestroyAllForms();
    ResetFoundationGlobals();
    ResetLocalizationGlobals();
    gAlertAnswered = false;
}

}  // namespace

MemoryTest::MemoryTest() {
    ResetProgram();
    InitBrandSettings();
    gLanguages = std::make_unique<clsLanguages>();
    gLanguages->LoadDefaultMessages();
}

MemoryTest::~MemoryTest() {
    ResetProgram();
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
