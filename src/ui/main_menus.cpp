// The main window's menus, the View Log and website buttons and the scroll timer.
#include "ui/frm_main.h"

void FrmMainForm::mnuFileItem_Click(int) {}

void FrmMainForm::mnuSettingsItem_Click(int) {}

void FrmMainForm::mnuQuarItem_Click(int) {}

void FrmMainForm::mnuHelpItem_Click(int) {}

void FrmMainForm::mnuAboutItem_Click(int) {}

void FrmMainForm::mnuDebugItem_Click(int) {}

void FrmMainForm::cmdLog_Click() {}

void FrmMainForm::cmdWebsite_Click() {}

void FrmMainForm::tmrScroll_Timer() {}
