// The live update command, the definitions update check and the automatic update.
#include "ui/frm_main.h"

void FrmMainForm::cmdUpdate_Click() {}

void FrmMainForm::cmdLiveUpdate_Click() {}

std::int32_t FrmMainForm::CheckForDefinitionUpdates() {
    return 0;
}

void FrmMainForm::timUpdate_Timer() {}

void FrmMainForm::cmdUpdate_MouseDown(int, int, double, double) {}
