// The "Delete Failed" window: hiding it and copying its list.
#include "ui/frm_delete.h"

void FrmDeleteForm::Form_Load() {}

void FrmDeleteForm::Command1_Click() {}

void FrmDeleteForm::Command2_Click() {}
