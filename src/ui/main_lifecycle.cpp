// The main window's resize, layout and closing.
#include "ui/frm_main.h"

void FrmMainForm::Form_QueryUnload(bool&, forms::UnloadMode) {}

void FrmMainForm::Form_Resize() {}

void FrmMainForm::LayoutMainWindow() {}

void FrmMainForm::Form_Unload(bool&) {}
