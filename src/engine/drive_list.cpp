// The drive list of the scan options and its ticks.
#include "ui/frm_main.h"

void FrmMainForm::ListDrives() {}

void FrmMainForm::lvwHardDrives_ItemCheck(forms::ListItem&) {}
