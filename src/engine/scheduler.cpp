// The scan scheduler: its option controls, stored schedule and timer.
#include "ui/frm_main.h"

void FrmMainForm::chkAutomaticScanYesOrNo_Click() {}

void FrmMainForm::cmbDays_Click() {}

void FrmMainForm::dtpScheduleDate_Change() {}

void FrmMainForm::dtpScheduleTime_Click() {}

void FrmMainForm::CmdProceed_Click() {}

void FrmMainForm::cmdDefaultSetting_Click() {}

void FrmMainForm::SaveScheduleSettings() {}

void FrmMainForm::LoadScheduleSettings() {}

void FrmMainForm::tmrScheduler_Timer() {}
