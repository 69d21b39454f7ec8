// The spyware alert's answers: stop the program or allow it from now on.
#include "ui/frm_spyware_found_alert.h"

void FrmSpywareFoundAlertForm::Form_Load() {}

void FrmSpywareFoundAlertForm::Form_QueryUnload(bool&, forms::UnloadMode) {}

void FrmSpywareFoundAlertForm::cmdYes_Click() {}

void FrmSpywareFoundAlertForm::cmdNO_Click() {}

void FrmSpywareFoundAlertForm::tmrBlink_Timer() {}

void FrmSpywareFoundAlertForm::ReloadExclusionsLocal() {}
