// The report window: the scan report read into its text box.
#include "ui/frm_report.h"

void FrmReportForm::Form_Load() {}

void FrmReportForm::cmdOk_Click() {}
