// The home-page shield's timer: the browser's start page watched for changes.
#include "engine/home_page_shield.h"

#include <optional>

#include "engine/globals.h"
#include "engine/guarded.h"
#include "engine/memory_shield.h"
#include "engine/mod_set_home_page.h"
#include "engine/option_settings.h"
#include "forms/form.h"
#include "forms/message_box.h"
#include "foundation/globals.h"
#include "ui/frm_home_page_changed_alert.h"
#include "ui/frm_main.h"

namespace {

constexpr std::string_view kProtectedPageKey = "Homepage";

// Every third tick of the home-page timer runs the memory shield too.
constexpr std::int16_t kTicksPerMemoryCheck = 3;

// The start page the shield last failed to put back.
std::optional<std::string>& UnrestoredPage() {
    static std::optional<std::string> page;
    return page;
}

void AskAboutChangedHomePage() {
    FrmHomePageChangedAlertForm& alert = frmHomePageChangedAlert();
    alert.lblHomePageInfo.SetCaption(
        HomePageChangedText(gProgramName, gSavedHomePage, gCurrentHomePage));
    alert.Show(forms::ShowMode::Modal);
}

// The first page the shield sees becomes the protected one; a change is then asked about,
// restored silently or left alone, as the options say.
void CheckHomePage() {
    gCurrentHomePage = "about:blank";
    ReadRegistryText(platform::HKEY_CURRENT_USER, kStartPageKey, kStartPageValue, gCurrentHomePage);
    gSavedHomePage = GetOptionSetting(kProtectedPageKey, "");
    if (gSavedHomePage.empty()) {
        gSavedHomePage = gCurrentHomePage;
        SaveOptionSetting(kProtectedPageKey, gSavedHomePage);
    }
    if (gSavedHomePage == gCurrentHomePage || UnrestoredPage() != gCurrentHomePage) {
        UnrestoredPage().reset();
    }
    if (gSavedHomePage == gCurrentHomePage || UnrestoredPage()) {
        return;
    }
    if (OptionAsFlag("optAlwaysnotifybeforerestoring", "True")) {
        AskAboutChangedHomePage();
    } else if (OptionAsFlag("optRestoredefaultwithoutnotification", "False")) {
        RestoreHomePageOrTell();
    }
}

}  // namespace

std::string HomePageChangedText(std::string_view programName, std::string_view savedPage,
                                std::string_view currentPage) {
    const std::string lineBreak = "\r\n";
    return std::string(programName) + " has detected that your Homepage has been changed." +
           lineBreak + lineBreak + "Click YES to keep your homepage as:" + lineBreak +
           std::string(savedPage) + lineBreak + lineBreak +
           "Click No to change your homepage to:" + lineBreak + std::string(currentPage);
}

long RestoreHomePage() {
    SaveOptionSetting(kProtectedPageKey, gSavedHomePage);
    return WriteCurrentUserRegString(kStartPageKey, kStartPageValue, gSavedHomePage,
                                     platform::REG_SZ);
}

void RestoreHomePageOrTell() {
    const long restored = RestoreHomePage();
    if (restored == platform::ERROR_SUCCESS) {
        return;
    }
    UnrestoredPage() = gCurrentHomePage;
    forms::MsgBox(
        gProgramName + " could not restore your homepage. " + platform::RegistryErrorText(restored),
        forms::MsgBoxExclamation, gProgramName);
}

void KeepNewHomePage() {
    SaveOptionSetting(kProtectedPageKey, gCurrentHomePage);
}

// All shield and scheduler timers stay off while the tick works, so none runs while the alert
// waits for its answer.
void FrmMainForm::tmrCheckHomePage_Timer() {
    if (++HomePageTicks >= kTicksPerMemoryCheck) {
        HomePageTicks = 0;
        RunIgnoringFailure([&] { tmrMemoryInspected_Timer(); });
    }
    EnableShieldTimers(*this, false);
    tmrCheckHomePage.SetEnabled(false);
    if (OptionAsFlag("optIEHomePageSheildOn", "True")) {
        RunIgnoringFailure(CheckHomePage);
    }
    EnableShieldTimers(*this, true);
}
