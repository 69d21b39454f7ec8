// Ticking threats with their traces, excluding them, dropping ticked rows, opening the results.
#include "ui/frm_main.h"

void FrmMainForm::lvwPicRemoveListOfSpywareFoundAndToBeRemoved_ItemCheck(forms::ListItem&) {}

void FrmMainForm::cmdSelectAll_Click() {}

void FrmMainForm::cmdExclude_Click() {}

void FrmMainForm::DropCheckedFileRows() {}

void FrmMainForm::DropCheckedCookieRows() {}

void FrmMainForm::DropCheckedRegistryRows() {}

void FrmMainForm::DropCheckedFoundRows() {}

void FrmMainForm::DropCheckedThreatRows() {}

void FrmMainForm::cmdRemove_Click() {}

void FrmMainForm::cmdResults_Click() {}
