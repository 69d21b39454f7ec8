#include "support/windows_catalog.h"

#include "ui/form8.h"
#include "ui/frm_about.h"
#include "ui/frm_delete.h"
#include "ui/frm_download.h"
#include "ui/frm_hidden.h"
#include "ui/frm_home_page_changed_alert.h"
#include "ui/frm_language.h"
#include "ui/frm_main.h"
#include "ui/frm_menu_popup.h"
#include "ui/frm_report.h"
#include "ui/frm_signature_updated.h"
#include "ui/frm_splash.h"
#include "ui/frm_spyware_found_alert.h"
#include "ui/frm_website.h"

namespace {

template <class... Windows>
std::vector<std::unique_ptr<forms::Form>> Make() {
    std::vector<std::unique_ptr<forms::Form>> windows;
    (windows.push_back(std::make_unique<Windows>()), ...);
    return windows;
}

}  // namespace

std::vector<std::unique_ptr<forms::Form>> DesignedWindows() {
    return Make<FrmMainForm, FrmSplashForm, FrmHiddenForm, FrmLanguageForm,
                FrmSpywareFoundAlertForm, FrmHomePageChangedAlertForm, FrmDeleteForm, FrmReportForm,
                FrmMenuPopUpForm, FrmAboutForm, Form8Form, FrmWebsiteForm, FrmSignatureUpdatedForm,
                FrmDownloadForm>();
}

std::vector<forms::Form*> LoadEveryWindow() {
    return {&FrmMain(),
            &frmSplash(),
            &frmHidden(),
            &frmLanguage(),
            &frmSpywareFoundAlert(),
            &frmHomePageChangedAlert(),
            &frmDelete(),
            &frmReport(),
            &frmMenuPopUp(),
            &frmAbout(),
            &Form8(),
            &frmWebsite(),
            &frmSignatureUpdated(),
            &frmDownload()};
}
