// The memory shield: its timer tick and the switch of the shield and scheduler timers.
#include "engine/memory_shield.h"

#include <gtest/gtest.h>

#include "foundation/globals.h"
#include "foundation/settings_store.h"
#include "memory_fixture.h"
#include "support/main_window.h"
#include "ui/frm_main.h"

namespace {

class ShieldTimers : public MemoryTest {
  protected:
    void SaveOption(const std::string& key, const std::string& value) {
        SaveSetting(gProgramName, "OptionAndSettings", key, value);
    }

    std::vector<bool> TimersOn() {
        FrmMainForm& main = FrmMain();
        return {main.tmrScheduler.Enabled(), main.tmrCheckHomePage.Enabled(),
                main.tmrMemoryInspected.Enabled(), main.tmrTimeOut.Enabled()};
    }
};

TEST_F(ShieldTimers, OnFollowsTheSettingsAndOffSwitchesAllFour) {
    FrmMainForm& main = test_support::LoadMainWindowWithoutStartUp();
    main.tmrTimeOut.SetEnabled(true);
    EnableShieldTimers(main, true);
    EXPECT_EQ(TimersOn(), (std::vector<bool>{false, true, true, true}));

    EnableShieldTimers(main, false);
    EXPECT_EQ(TimersOn(), (std::vector<bool>{false, false, false, false}));

    SaveOption("chkAutomaticScanYesOrNo", "1");
    SaveOption("optIEHomePageSheildOn", "false");
    SaveOption("optMemorySheildOn", "0");
    EnableShieldTimers(main, true);
    EXPECT_EQ(TimersOn(), (std::vector<bool>{true, false, false, false}));

    // Text that is no flag counts as the default; the scheduler's number is read as far as it goes.
    SaveOption("chkAutomaticScanYesOrNo", "0 days");
    SaveOption("optMemorySheildOn", "maybe");
    EnableShieldTimers(main, true);
    EXPECT_EQ(TimersOn(), (std::vector<bool>{false, false, true, false}));
}

}  // namespace
