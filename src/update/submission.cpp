// Submitting a file name by hand from the update page.
#include "ui/frm_main.h"

void FrmMainForm::cmdSubmit_Click() {}

void FrmMainForm::Command2_Click() {}

void FrmMainForm::txtFilename_KeyPress(int&) {}
