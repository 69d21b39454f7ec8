// The report window's design.
#include "ui/frm_report.h"

#include "forms/form_registry.h"
#include "ui/design.h"

using design::Place;

FrmReportForm::FrmReportForm() : Form("frmReport") {
    design::SetUpFixedWindow(*this, "Log", 9000, 6600);
    Move(1800, 1200);
    // The report aligns its headings with blanks, so it reads best in a fixed-width font.
    Place(txtReport, nullptr, 120, 120, 8760, 5760);
    txtReport.SetMultiLine(true);
    txtReport.SetLocked(true);
    txtReport.SetScrollBars(forms::ScrollBars::Vertical);
    txtReport.SetFontName("Courier New");
    txtReport.SetFontSize(9);
    Place(cmdOk, nullptr, "OK", 7680, 6000, 1200, 420);
    cmdOk.SetDefault(true);
    cmdOk.SetCancel(true);
    design::PlaceSkinLabelPattern(SkinLabel1, nullptr);

    cmdOk.OnClick = [this] { cmdOk_Click(); };
}

FrmReportForm& frmReport() {
    return forms::DefaultInstance<FrmReportForm>();
}
