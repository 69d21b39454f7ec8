#include "update_fixture.h"

#include "foundation/definition_files.h"
#include "foundation/globals.h"
#include "localization/globals.h"
#include "platform/us_date.h"
#include "support/main_window.h"
#include "ui/frm_download.h"
#include "update/globals.h"

UpdateTest::UpdateTest() : serverVariable_("TOLLENWARK_DEFINITIONS_SERVER", server.BaseUrl()) {
    ResetFoundationGlobals();
    host.SetNow(platform::LocalNow());  // the servers' dates, from 2006 on, lie in the past
    ResetLocalizationGlobals();
    ResetUpdateGlobals();
    FrmDownloadForm::BlinkTick = 0;
    gProgramName = "Toll Wark";
    gCompanyName = "Toll Wark Labs";
    gLanguages = std::make_unique<clsLanguages>();
    gLanguages->LoadDefaultMessages();
}

UpdateTest::~UpdateTest() {
    ResetLocalizationGlobals();
}

FrmMainForm& UpdateTest::Main() {
    return test_support::LoadMainWindowWithoutStartUp();
}

std::vector<std::string> UpdateTest::Definitions(std::string_view fileName) const {
    return ReadDefinitionLines(fileName);
}
