// The main window's layout: the panels fill the window beside the side column, and the scan and
// results panels stretch their lists, bars and buttons to the panel.
#include <cmath>
#include <initializer_list>

#include "foundation/globals.h"
#include "ui/frm_main.h"

namespace {

// Gaps between the panels and the buttons above and beside them, and the margins a panel keeps
// to the window's right and bottom edges (the bottom one makes room for the border, title and
// menu bar).
constexpr double kGap = 120;
constexpr double kRightMargin = 240;
constexpr double kBottomMargin = 960;
constexpr double kWebsiteRightMargin = 200;
// Inside a panel.
constexpr double kInset = 240;
// The threat list's columns are re-proportioned once they leave more than this free.
constexpr double kMostFreeColumnSpace = 2000;

// A window too small for its panels would give negative sizes and positions; their absolute values
// keep every control valid, if out of place, until the window grows again.
double Valid(double computed) {
    return std::abs(computed);
}

void CopyPlace(const forms::Control& from, forms::Control& to) {
    to.Move(from.Left(), from.Top(), from.Width(), from.Height());
}

void LayoutPanels(FrmMainForm& window) {
    window.cmdWebsite.SetWidth(
        Valid(window.Width() - window.cmdWebsite.Left() - kWebsiteRightMargin));
    // The lists a removal works from stay below the window's bottom edge.
    window.Frame.SetTop(Valid(window.Height() + 1000));

    forms::Frame& status = window.frmStatus;
    status.SetLeft(Valid(window.cmdScan.Left() + window.cmdScan.Width() + kGap));
    status.SetTop(Valid(window.Command5.Top() + window.Command5.Height() + kGap));
    if (gShowBanner) {
        status.SetTop(Valid(status.Top() + window.wbBanner.Height() + kGap));
    }
    status.SetWidth(Valid(window.Width() - status.Left() - kRightMargin));
    status.SetHeight(Valid(window.Height() - status.Top() - kBottomMargin));
    for (forms::Frame* panel : {&window.frmResults, &window.frmOptions, &window.frmScan}) {
        CopyPlace(status, *panel);
    }
}

void LayoutOptionPages(FrmMainForm& window) {
    window.TabStrip1.SetWidth(Valid(window.frmOptions.Width()));
    window.TabStrip1.SetHeight(Valid(window.frmOptions.Height()));
    for (forms::Frame* page : window.frmView.Elements()) {
        page->Move(60, 360, Valid(window.TabStrip1.Width() - 240),
                   Valid(window.TabStrip1.Height() - 420));
    }
}

// From the bottom up: the continue button in the corner, the status line level with it, the two
// progress bars above, the scan log filling the rest.
void LayoutScanPanel(FrmMainForm& window) {
    const forms::Frame& panel = window.frmScan;
    forms::CommandButton& remove = window.cmdRemove;
    remove.SetLeft(Valid(panel.Width() - remove.Width() - kInset));
    remove.SetTop(Valid(panel.Height() - remove.Height() - kInset));

    forms::ProgressBar& phaseBar = window.pb1;
    forms::ProgressBar& overallBar = window.pb2;
    overallBar.SetTop(Valid(remove.Top() - overallBar.Height() - 60));
    phaseBar.SetTop(Valid(overallBar.Top() - 285));
    phaseBar.SetWidth(Valid(panel.Width() - phaseBar.Left() - kInset));
    overallBar.SetWidth(Valid(phaseBar.Width()));
    window.SkinLabel7.SetTop(Valid(phaseBar.Top()));
    window.SkinLabel8.SetTop(Valid(overallBar.Top()));

    window.lblStatus(1).SetTop(Valid(remove.Top()));
    forms::Label& statusLine = window.lblStatus(0);
    statusLine.SetTop(Valid(remove.Top()));
    statusLine.SetWidth(Valid(panel.Width() - statusLine.Left() - kInset));

    forms::ListView& log = window.lvwSpywareFound;
    log.SetWidth(Valid(panel.Width() - log.Left() - kInset));
    log.SetHeight(Valid(phaseBar.Top() - log.Top() - kGap));
}

// The threat list fills the panel above its row of buttons; the removal's bar and its two lines
// stretch beside the buttons to the list's right edge.
void LayoutResultsPanel(FrmMainForm& window) {
    const forms::Frame& panel = window.frmResults;
    forms::ListView& threats = window.lvwPicRemoveListOfSpywareFoundAndToBeRemoved;
    threats.SetWidth(Valid(panel.Width() - 2 * threats.Left()));
    threats.SetHeight(
        Valid(panel.Height() - threats.Top() - window.cmdSelectAll.Height() - kInset));

    const double buttonTop = Valid(threats.Top() + threats.Height() + kGap);
    for (forms::Control* control :
         std::initializer_list<forms::Control*>{&window.cmdSelectAll, &window.cmdExclude,
                                                &window.Command4, &window.pgbDeleteSpywaresFound}) {
        control->SetTop(buttonTop);
    }

    forms::ProgressBar& bar = window.pgbDeleteSpywaresFound;
    forms::Label& percentage = window.lblDeletingPercentageCompleted;
    forms::Label& caption = window.lblDeletingCaption;
    bar.SetWidth(Valid(threats.Width() - bar.Left()));
    percentage.SetTop(Valid(bar.Top() + bar.Height() + 5));
    caption.SetTop(Valid(percentage.Top() + percentage.Height() + 100));
    percentage.SetWidth(Valid(threats.Width() - percentage.Left()));
    caption.SetWidth(Valid(threats.Width() - caption.Left()));
}

// The user's column widths stay while they fit the list and leave at most 2000 twips free;
// otherwise the columns take a quarter, a half and a quarter of the list.
void FitThreatColumns(forms::ListView& threats) {
    const double listWidth = threats.Width();
    double columnsWidth = 0;
    for (int column = 1; column <= 3; ++column) {
        columnsWidth += threats.ColumnHeaders(column).Width();
    }
    if (listWidth < columnsWidth || listWidth - kMostFreeColumnSpace > columnsWidth) {
        threats.ColumnHeaders(1).SetWidth(listWidth / 4);
        threats.ColumnHeaders(2).SetWidth(listWidth / 2);
        threats.ColumnHeaders(3).SetWidth(listWidth / 4);
    }
}

}  // namespace

void FrmMainForm::LayoutMainWindow() {
    if (!Visible() || WindowState() == forms::WindowState::Minimized) {
        return;
    }
    LayoutPanels(*this);
    LayoutOptionPages(*this);
    LayoutScanPanel(*this);
    LayoutResultsPanel(*this);
    FitThreatColumns(lvwPicRemoveListOfSpywareFoundAndToBeRemoved);
}
