#include "lifecycle_fixture.h"

#include "engine/globals.h"
#include "forms/form_registry.h"
#include "foundation/brand.h"
#include "foundation/globals.h"
#include "foundation/settings_store.h"
#include "localization/globals.h"
#include "support/main_window.h"
#include "ui/globals.h"

namespace {

void ResetAllGlobals() {
    ResetFoundationGlobals();
    ResetLocalizationGlobals();
    ResetEngineGlobals();
    ResetUiGlobals();
}

}  // namespace

MainWindowTest::MainWindowTest() {
    ResetAllGlobals();
    InitBrandSettings();
    window = &test_support::LoadMainWindowWithoutStartUp();
    window->Show();
}

MainWindowTest::~MainWindowTest() {
    forms::DestroyAllForms();
    ResetAllGlobals();
}

std::string MainWindowTest::UserSetting(const std::string& section, const std::string& key) {
    return GetSetting(gProgramName, section, key, "<none>");
}

void MainWindowTest::SaveUserSetting(const std::string& section, const std::string& key,
                                     const std::string& value) {
    SaveSetting(gProgramName, section, key, value);
}

void MainWindowTest::ExpectProgramEnd(const std::function<void()>& action) {
    EXPECT_THROW(action(), forms::ProcessEnded);
    EXPECT_TRUE(host.ProcessHasEnded());
}
