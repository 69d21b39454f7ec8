// The events of the main window's banner browser.
#include "ui/frm_main.h"

// The banner never opens a window of its own.
void FrmMainForm::wbBanner_NewWindow2(bool& cancel) {
    cancel = true;
}

void FrmMainForm::wbBanner_StatusTextChange(const std::string& text) {
    lblWebText.SetCaption(text);
}

void FrmMainForm::wbBanner_BeforeNavigate2(const std::string&, bool&) {}

void FrmMainForm::wbBanner_DocumentComplete(const std::string&) {}

void FrmMainForm::wbBanner_DownloadComplete() {}
