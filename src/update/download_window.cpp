// The download window: its load and unload, the animation, Cancel and its tray icon.
#include "ui/frm_download.h"

void FrmDownloadForm::Form_Load() {}

void FrmDownloadForm::Form_Unload(bool&) {}

void FrmDownloadForm::Form_TrayMessage(int) {}

void FrmDownloadForm::Command1_Click() {}

void FrmDownloadForm::tmrBlink_Timer() {}
