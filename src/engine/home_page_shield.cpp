// The home-page shield's timer: the browser's start page watched for changes.
#include "ui/frm_main.h"

void FrmMainForm::tmrCheckHomePage_Timer() {}
