// The main window in the tray: Send to Tray and the tray icon's clicks.
#include "ui/frm_main.h"

void FrmMainForm::Command5_Click() {}

void FrmMainForm::Form_TrayMessage(int) {}
