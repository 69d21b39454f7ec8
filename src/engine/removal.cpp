// The removal of the ticked results: the Delete button, the sequence and its worker.
#include "ui/frm_main.h"

void FrmMainForm::Command4_Click() {}

void FrmMainForm::lblRemove_Click() {}

void FrmMainForm::RemoveCheckedItems() {}
