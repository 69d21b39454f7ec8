#include "startup_fixture.h"

#include <chrono>

#include "forms/form_registry.h"
#include "foundation/brand.h"
#include "foundation/globals.h"
#include "foundation/machine_settings.h"
#include "foundation/settings_store.h"
#include "localization/globals.h"
#include "platform/version_block.h"
#include "ui/frm_splash.h"
#include "ui/globals.h"

using namespace std::chrono_literals;

void ResetProgramGlobals() {
    ResetFoundationGlobals();
    ResetLocalizationGlobals();
    ResetUiGlobals();
}

StartupTest::StartupTest() {
    ResetProgramGlobals();
}

StartupTest::~StartupTest() {
    EndProgram();
}

void StartupTest::StartProgram() {
    frmSplash().Show();
    host.Advance(150ms);
}

void StartupTest::EndProgram() {
    forms::DestroyAllForms();
    ResetProgramGlobals();
}

void StartupTest::MarkAsUsedBefore() {
    InitBrandSettings();
    SaveSetting(gProgramName, "Settings", "Language", "English");
    SaveMachineSetting(gProgramName, "Settings", "FirstTime", "Yes");
    ResetFoundationGlobals();
}

std::string StartupTest::UserSetting(const std::string& section, const std::string& key) {
    return GetSetting(platform::ProgramVersionBlock().productName, section, key, "<none>");
}

std::string StartupTest::MachineSetting(const std::string& key) {
    InitBrandSettings();  // the machine-wide store's key names the company
    return GetMachineSetting(platform::ProgramVersionBlock().productName, "Settings", key,
                             "<none>");
}
