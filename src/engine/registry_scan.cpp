// The registry phase: the keys and values the definitions name.
#include "ui/frm_main.h"

void FrmMainForm::ScanRegistryDefinitions() {}
