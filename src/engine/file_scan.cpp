// The known-spyware phase: the files and folders the definitions name.
#include "ui/frm_main.h"

void FrmMainForm::ScanDefinedFiles() {}

void FrmMainForm::ScanDefinedFolders() {}
