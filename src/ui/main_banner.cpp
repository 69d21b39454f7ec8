// The events of the main window's banner browser.
#include "ui/frm_main.h"

void FrmMainForm::wbBanner_NewWindow2(bool&) {}

void FrmMainForm::wbBanner_StatusTextChange(const std::string&) {}

void FrmMainForm::wbBanner_BeforeNavigate2(const std::string&, bool&) {}

void FrmMainForm::wbBanner_DocumentComplete(const std::string&) {}

void FrmMainForm::wbBanner_DownloadComplete() {}
