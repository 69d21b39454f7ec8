#include "engine/scan_progress.h"

#include <gtest/gtest.h>

#include "engine/globals.h"
#include "scan_fixture.h"

namespace {

class ScanProgressTest : public ScanTest {
  protected:
    ScanProgressTest() { Main().SetVisible(true); }

    void Refresh(const std::string& text, std::int16_t phase = 10, std::int16_t overall = 20) {
        RefreshScanProgress(text, phase, overall);
    }
};

TEST_F(ScanProgressTest, RepaintsOnEveryHundredthCallAcrossPhases) {
    const std::string before = Main().lblFilesFolderInspected.Caption();
    for (int call = 1; call <= 250; ++call) {
        gFilesFolderInspected = call;
        Refresh("item " + std::to_string(call));
        if (call == 99) {
            EXPECT_EQ(Main().lblFilesFolderInspected.Caption(), before);
        }
    }
    // Two repaints, at the 100th and the 200th call, each under one redraw lock.
    const std::int32_t hwnd = Main().Hwnd();
    EXPECT_EQ(host.UpdateLockCalls(), (std::vector<std::int32_t>{hwnd, 0, hwnd, 0}));
    EXPECT_EQ(Main().lblFilesFolderInspected.Caption(), "200");
    EXPECT_EQ(Main().lblStatus(0).Caption(), "item 200");
    EXPECT_EQ(gProgressTick, 50);
}

TEST_F(ScanProgressTest, ARepaintShowsCountersFilteredTextAndBars) {
    gMemoryInspected = 7;
    gRegistryInspected = 8;
    gSoftwareFound = 3;
    Main().pb2.SetValue(55);
    gProgressTick = 99;
    Refresh("Scanning: \r\nC:\\Documents\\Essex.exe", 40, -1);

    EXPECT_EQ(Main().lblStatus(0).Caption(), "Scanning: \r\nC:\\Doents\\Es.exe");
    EXPECT_EQ(Main().lblMemoryInspected.Caption(), "7");
    EXPECT_EQ(Main().lblRegistryInspected.Caption(), "8");
    EXPECT_EQ(Main().lblSoftwareFound.Caption(), "3");
    EXPECT_EQ(Main().lblRemovePicSoftwareFound.Caption(), "3");
    EXPECT_EQ(Main().pb1.Value(), 40);
    EXPECT_EQ(Main().pb2.Value(), 55) << "a negative percentage leaves its bar";
    EXPECT_EQ(gProgressTick, 0);
}

TEST_F(ScanProgressTest, AHiddenWindowIsNeverLocked) {
    Main().SetVisible(false);
    gProgressTick = 99;
    Refresh("x");
    EXPECT_TRUE(host.UpdateLockCalls().empty());
    EXPECT_EQ(Main().lblStatus(0).Caption(), "x");
}

TEST_F(ScanProgressTest, ALockTakenIsReleasedEvenWhenTheWindowHidesMeanwhile) {
    {
        ScopedRedrawLock lock(Main());
        Main().SetVisible(false);
    }
    EXPECT_EQ(host.LockedWindow(), 0);
}

TEST(ProgressPercent, RoundsHalvesToEvenAndRefusesWhatCannotBeShown) {
    EXPECT_EQ(ProgressPercent(1, 8), 12);  // 12.5
    EXPECT_EQ(ProgressPercent(3, 8), 38);  // 37.5
    EXPECT_EQ(ProgressPercent(2, 3), 67);
    EXPECT_EQ(ProgressPercent(5, 4), 125);  // counts that grew since they were counted
    EXPECT_EQ(ProgressPercent(1, 0), std::nullopt);
    EXPECT_EQ(ProgressPercent(0, 0), std::nullopt);
    EXPECT_EQ(ProgressPercent(400, 1), std::nullopt);
}

}  // namespace
