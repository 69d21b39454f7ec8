// The scan report written after a scan.
#include "ui/frm_main.h"

void FrmMainForm::MakeReport() {}
