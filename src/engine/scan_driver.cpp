// The scan driver and sequencer: the start, pause and stop commands and the order of the phases.
#include "ui/frm_main.h"

void FrmMainForm::cmdScanNow_Click() {}

void FrmMainForm::RunScanPhases() {}

bool FrmMainForm::CheckDefinitionFilesPresent() {
    return false;
}

void FrmMainForm::DeleteAllDefinitionFiles() {}

void FrmMainForm::cmdPause_Click() {}

void FrmMainForm::cmdStop_Click() {}
