#include "main_window_fixture.h"

#include <memory>

#include "forms/form_registry.h"
#include "foundation/brand.h"
#include "localization/globals.h"
#include "support/main_window.h"

QtMainWindowTest::QtMainWindowTest() {
    test_support::ResetProgramGlobals();
    InitBrandSettings();
    gLanguages = std::make_unique<clsLanguages>();
    gLanguages->LoadDefaultMessages();
    main = &test_support::LoadMainWindowWithoutStartUp();
    main->Show();
}

QtMainWindowTest::~QtMainWindowTest() {
    forms::DestroyAllForms();
    test_support::ResetProgramGlobals();
}
