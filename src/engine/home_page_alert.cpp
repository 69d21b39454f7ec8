// The home-page alert's answers: restore the protected start page or keep the new one.
#include "ui/frm_home_page_changed_alert.h"

void FrmHomePageChangedAlertForm::Form_Load() {}

void FrmHomePageChangedAlertForm::cmdYes_Click() {}

void FrmHomePageChangedAlertForm::cmdNO_Click() {}
