// The option controls: loaded from the settings at start-up, saved as they change.
#include "ui/frm_main.h"

void FrmMainForm::LoadSettingsIntoControls() {}

void FrmMainForm::chkAutoDel_Click() {}

void FrmMainForm::chkAutomaticUpdate_Click() {}

void FrmMainForm::chkAutoProtect_Click() {}

void FrmMainForm::chkHomePage_Click() {}

void FrmMainForm::chkMakeLog_Click() {}

void FrmMainForm::chkRunAtStartup_Click() {}

void FrmMainForm::chkScanCookies_Click() {}

void FrmMainForm::chkScanRegistry_Click() {}

void FrmMainForm::chkSweepMemory_Click() {}

void FrmMainForm::chkSendData_MouseUp(int, int, double, double) {}

void FrmMainForm::optAlwaysnotifybeforerestoring_Click() {}

void FrmMainForm::optRestoredefaultwithoutnotification_Click() {}

void FrmMainForm::optIEHomePageSheildOn_Click() {}

void FrmMainForm::optIEHomePageSheildOff_Click() {}

void FrmMainForm::optMemorySheildOn_Click() {}

void FrmMainForm::optMemorySheildOff_Click() {}

void FrmMainForm::optScanAllSelectedHardDrive_Click() {}

void FrmMainForm::optScanOnlyKnownSoftwares_Click() {}
