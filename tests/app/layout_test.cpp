// The main window's layout for every size and state.
#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "forms/host.h"
#include "foundation/globals.h"
#include "lifecycle_fixture.h"

namespace {

class LayoutTest : public MainWindowTest {
  protected:
    forms::ListView& Threats() { return window->lvwPicRemoveListOfSpywareFoundAndToBeRemoved; }

    // The window width that makes the threat list this wide: the panels start 2055 from the
    // window's left edge and end 240 short of its right edge; the list keeps 240 to either side.
    static double WindowWidthForThreatList(double listWidth) {
        return listWidth + 240 * 2 + 2055 + 240;
    }

    void SetThreatColumns(double width) {
        for (int column = 1; column <= 3; ++column) {
            Threats().ColumnHeaders(column).SetWidth(width);
        }
    }

    std::vector<double> ThreatColumns() {
        return {Threats().ColumnHeaders(1).Width(), Threats().ColumnHeaders(2).Width(),
                Threats().ColumnHeaders(3).Width()};
    }

    static double Right(const forms::Control& control) { return control.Left() + control.Width(); }
    static double Bottom(const forms::Control& control) { return control.Top() + control.Height(); }

    static void ExpectWithin(const forms::Control& control, const forms::Control& container) {
        EXPECT_GE(control.Left(), 0) << control.Name();
        EXPECT_GE(control.Top(), 0) << control.Name();
        EXPECT_LE(Right(control), container.Width()) << control.Name();
        EXPECT_LE(Bottom(control), container.Height()) << control.Name();
    }

    // Nothing overlaps or leaves its panel, and the panels fill the window beside the side column.
    void ExpectTidyLayout() {
        FrmMainForm& w = *window;
        EXPECT_EQ(Right(w.frmStatus), w.Width() - 240);
        EXPECT_EQ(Bottom(w.frmStatus), w.Height() - 960);
        EXPECT_GT(w.frmStatus.Left(), Right(w.cmdScan));
        EXPECT_GT(w.frmStatus.Top(), Bottom(w.Command5));
        for (const forms::Frame* panel : {&w.frmScan, &w.frmResults, &w.frmOptions}) {
            EXPECT_EQ(panel->Left(), w.frmStatus.Left());
            EXPECT_EQ(panel->Top(), w.frmStatus.Top());
            EXPECT_EQ(panel->Width(), w.frmStatus.Width());
            EXPECT_EQ(panel->Height(), w.frmStatus.Height());
        }
        EXPECT_EQ(Right(w.cmdWebsite), w.Width() - 200);
        EXPECT_GT(w.Frame.Top(), w.Height()) << "the removal lists stay out of view";

        for (forms::Control* control : std::initializer_list<forms::Control*>{
                 &w.lvwSpywareFound, &w.pb1, &w.pb2, &w.SkinLabel7, &w.SkinLabel8, &w.lblStatus(0),
                 &w.cmdRemove}) {
            ExpectWithin(*control, w.frmScan);
        }
        EXPECT_LT(Bottom(w.lvwSpywareFound), w.pb1.Top());
        EXPECT_LT(Bottom(w.pb1), w.pb2.Top());
        EXPECT_LT(Bottom(w.pb2), w.cmdRemove.Top());
        EXPECT_EQ(w.SkinLabel7.Top(), w.pb1.Top());
        EXPECT_EQ(w.SkinLabel8.Top(), w.pb2.Top());
        EXPECT_EQ(w.lblStatus(0).Top(), w.cmdRemove.Top());

        for (forms::Control* control : std::initializer_list<forms::Control*>{
                 &Threats(), &w.cmdSelectAll, &w.cmdExclude, &w.Command4, &w.pgbDeleteSpywaresFound,
                 &w.lblDeletingPercentageCompleted, &w.lblDeletingCaption}) {
            ExpectWithin(*control, w.frmResults);
        }
        EXPECT_LT(Bottom(Threats()), w.cmdSelectAll.Top());
        EXPECT_LE(Right(w.pgbDeleteSpywaresFound), Right(Threats()));
        EXPECT_LT(Bottom(w.pgbDeleteSpywaresFound), w.lblDeletingPercentageCompleted.Top());
        EXPECT_LT(Bottom(w.lblDeletingPercentageCompleted), w.lblDeletingCaption.Top());

        EXPECT_EQ(w.TabStrip1.Width(), w.frmOptions.Width());
        EXPECT_EQ(w.TabStrip1.Height(), w.frmOptions.Height());
        for (const forms::Frame* page : w.frmView.Elements()) {
            ExpectWithin(*page, w.TabStrip1);
        }
    }
};

TEST_F(LayoutTest, TheDesignSizeAndALargeWindowAreLaidOutTidily) {
    ExpectTidyLayout();
    window->Move(0, 0, 19000, 13000);
    ExpectTidyLayout();
}

TEST_F(LayoutTest, ListsGrowWithTheWindowAndButtonsKeepToTheCorner) {
    const double logWidth = window->lvwSpywareFound.Width();
    const double logHeight = window->lvwSpywareFound.Height();
    const double threatsHeight = Threats().Height();
    const double removeLeft = window->cmdRemove.Left();

    window->Move(0, 0, window->Width() + 3000, window->Height() + 2000);

    EXPECT_EQ(window->lvwSpywareFound.Width(), logWidth + 3000);
    EXPECT_EQ(window->lvwSpywareFound.Height(), logHeight + 2000);
    EXPECT_EQ(Threats().Height(), threatsHeight + 2000);
    EXPECT_EQ(window->cmdRemove.Left(), removeLeft + 3000);
}

TEST_F(LayoutTest, ThreatColumnsAreReproportionedOnlyWhenTheyNoLongerFitOrLeaveTooMuchRoom) {
    SetThreatColumns(1400);
    window->SetWidth(WindowWidthForThreatList(3000));
    ASSERT_EQ(Threats().Width(), 3000);
    EXPECT_EQ(ThreatColumns(), (std::vector<double>{750, 1500, 750}));

    SetThreatColumns(1400);
    window->SetWidth(WindowWidthForThreatList(10000));
    EXPECT_EQ(ThreatColumns(), (std::vector<double>{2500, 5000, 2500}));

    SetThreatColumns(1400);
    window->SetWidth(WindowWidthForThreatList(6000));
    EXPECT_EQ(ThreatColumns(), (std::vector<double>{1400, 1400, 1400}));
}

TEST_F(LayoutTest, ATinyWindowGetsAbsoluteValuesInsteadOfAFailure) {
    ASSERT_NO_THROW(window->Move(0, 0, 1000, 1000));
    EXPECT_EQ(window->frmStatus.Height(), 960 - 1000 + window->frmStatus.Top());
    EXPECT_EQ(window->frmStatus.Width(), 2055 + 240 - 1000);
    EXPECT_EQ(window->cmdWebsite.Width(), window->cmdWebsite.Left() + 200 - 1000);

    window->Move(0, 0, 11000, 8000);
    ExpectTidyLayout();
}

TEST_F(LayoutTest, NothingMovesWhileTheWindowIsHiddenOrMinimisedAndTheLayoutCatchesUpOnShow) {
    const double panelWidth = window->frmStatus.Width();
    window->SetWindowState(forms::WindowState::Minimized);
    window->SetWidth(15000);
    EXPECT_EQ(window->frmStatus.Width(), panelWidth);

    window->Command5.Click();
    window->SetWidth(16000);
    EXPECT_EQ(window->frmStatus.Width(), panelWidth);

    host.ClickTrayIcon(window->Hwnd(), forms::tray_message::LeftDoubleClick);
    EXPECT_EQ(window->frmStatus.Width(), 16000 - 2055 - 240);
}

TEST_F(LayoutTest, ABannerPushesThePanelsBelowIt) {
    gShowBanner = true;
    window->SetHeight(9000);
    EXPECT_EQ(window->frmStatus.Top(),
              Bottom(window->Command5) + 120 + window->wbBanner.Height() + 120);
    EXPECT_EQ(Bottom(window->frmResults), 9000 - 960);
}

}  // namespace
