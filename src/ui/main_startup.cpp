// The main window's load: the program's start-up sequence.
#include "ui/frm_main.h"

void FrmMainForm::Form_Load() {}
