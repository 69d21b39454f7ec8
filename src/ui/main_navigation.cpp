// The main window's panels, side menu, scan labels and status labels.
#include "ui/frm_main.h"

void FrmMainForm::HideAllPanels() {}

void FrmMainForm::RefreshStatusLabels() {}

void FrmMainForm::cmdScan_Click() {}

void FrmMainForm::cmdSettings_Click() {}

void FrmMainForm::cmdStatus_Click() {}

void FrmMainForm::Command1_Click() {}

void FrmMainForm::TabStrip1_Click() {}

void FrmMainForm::mnuLanguageItem_Click(int) {}

void FrmMainForm::lblOptions_Click() {}

void FrmMainForm::lblResult_Click() {}

void FrmMainForm::lblStart_Click() {}

void FrmMainForm::lblPause_Click() {}

void FrmMainForm::lblStop_Click() {}

void FrmMainForm::lblViewLogFile_Click() {}

void FrmMainForm::lblHide_Click() {}

void FrmMainForm::lblStart_MouseMove(int, int, double, double) {}

void FrmMainForm::lblHide_MouseMove(int, int, double, double) {}

void FrmMainForm::lblPause_MouseMove(int, int, double, double) {}

void FrmMainForm::lblStop_MouseMove(int, int, double, double) {}
