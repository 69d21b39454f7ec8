#include <gtest/gtest.h>

#include "engine/spyware_alert.h"
#include "forms/form_registry.h"
#include "foundation/globals.h"
#include "foundation/settings_store.h"
#include "ui/frm_download.h"
#include "ui/frm_signature_updated.h"
#include "update_fixture.h"

using namespace std::chrono_literals;

namespace {

class NoticeTest : public UpdateTest {
  protected:
    // Shows the notice as the update command does.
    FrmSignatureUpdatedForm& ShowNotice() {
        frmSignatureUpdated().tmrPopupSignatureUpdate.SetEnabled(true);
        frmSignatureUpdated().Show();
        return frmSignatureUpdated();
    }

    // Advances the clock in steps of 10 ms until the notice stops rising.
    std::chrono::milliseconds RiseTime(FrmSignatureUpdatedForm& notice) {
        std::chrono::milliseconds risen{0};
        while (notice.tmrPopupSignatureUpdate.Enabled()) {
            host.Advance(10ms);
            risen += 10ms;
        }
        return risen;
    }
};

TEST_F(NoticeTest, StartsAtTheTaskbarAndRisesToItsOwnHeightAboveIt) {
    gAlertAnswered = true;
    FrmSignatureUpdatedForm& notice = ShowNotice();  // 1024 x 768 with a 30-pixel taskbar

    EXPECT_EQ(notice.Top(), 11136 - 435);
    EXPECT_EQ(notice.Left(), (1024 - notice.ScaleWidth()) * 14.7);
    EXPECT_EQ(notice.NoticeTargetTop, 11136 - (notice.Height() + 100));
    EXPECT_TRUE(notice.Visible());
    EXPECT_FALSE(gAlertAnswered);

    RiseTime(notice);
    EXPECT_LE(notice.Top(), notice.NoticeTargetTop);
    EXPECT_GT(notice.Top(), notice.NoticeTargetTop - 20);
}

TEST_F(NoticeTest, StaysSevenSecondsThenSlidesDownAndClosesItself) {
    FrmSignatureUpdatedForm& notice = ShowNotice();
    RiseTime(notice);
    const double raised = notice.Top();

    host.Advance(6990ms);
    EXPECT_EQ(notice.Top(), raised);
    host.Advance(20ms);
    EXPECT_GT(notice.Top(), raised) << "the slide down has begun";

    host.Advance(2s);
    EXPECT_FALSE(forms::IsLoaded<FrmSignatureUpdatedForm>());
    EXPECT_EQ(GetSetting(gProgramName, "OptionAndSettings", "SHOW", ""), "false");
}

TEST_F(NoticeTest, OnATallDesktopTheSlideDownEndsAtOnce) {
    host.SetScreenRect({0, 0, 1600, 1200});
    host.SetTaskbarRect({0, 1170, 1600, 1200});
    FrmSignatureUpdatedForm& notice = ShowNotice();
    RiseTime(notice);

    host.Advance(7010ms);
    EXPECT_FALSE(forms::IsLoaded<FrmSignatureUpdatedForm>());
}

TEST_F(NoticeTest, OkClosesItWhileItRisesAndLeavesNoDownloadWindowBehind) {
    FrmSignatureUpdatedForm& notice = ShowNotice();
    host.Advance(50ms);

    notice.cmdUpdateSuccesfullOK.Click();

    EXPECT_FALSE(forms::IsLoaded<FrmSignatureUpdatedForm>());
    EXPECT_EQ(GetSetting(gProgramName, "OptionAndSettings", "SHOW", ""), "false");
    EXPECT_FALSE(forms::IsLoaded<FrmDownloadForm>());
    EXPECT_TRUE(host.TrayIcons().empty());
}

TEST_F(NoticeTest, OkTakesAwayTheIconOfADownloadWindowStillLoaded) {
    frmDownload();
    ASSERT_EQ(host.TrayIcons().size(), 1u);

    ShowNotice().cmdUpdateSuccesfullOK.Click();

    EXPECT_TRUE(host.TrayIcons().empty());
}

}  // namespace
