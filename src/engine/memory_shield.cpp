// The memory shield's timer: running programs checked outside a scan.
#include "ui/frm_main.h"

void FrmMainForm::tmrMemoryInspected_Timer() {}
