#include "menus_fixture.h"

#include <memory>

#include "forms/form_registry.h"
#include "foundation/globals.h"
#include "localization/globals.h"
#include "platform/us_date.h"
#include "startup_fixture.h"
#include "support/main_window.h"

MenusTest::MenusTest() {
    ResetProgramGlobals();
    host.SetNow(platform::LocalNow());  // the servers' dates, from 2006 on, lie in the past
    gProgramName = "Tollenwark";
    gCompanyName = "Tollenwark Labs";
    gWebsite = "tollenwark.example";
    gLanguages = std::make_unique<clsLanguages>();
    gLanguages->LoadDefaultMessages();
}

MenusTest::~MenusTest() {
    forms::DestroyAllForms();
    ResetProgramGlobals();
}

FrmMainForm& MenusTest::Main() {
    return test_support::LoadMainWindowWithoutStartUp();
}

std::string MenusTest::ProgramFile(const std::string& name) const {
    return program.windowsPath() + "\\" + name;
}
