// The memory shield: its timer tick and the switch of the shield and scheduler timers.
#include "engine/memory_shield.h"

#include <gtest/gtest.h>

#include "engine/globals.h"
#include "forms/form_registry.h"
#include "foundation/globals.h"
#include "foundation/settings_store.h"
#include "memory_fixture.h"
#include "ui/frm_main.h"
#include "ui/frm_spyware_found_alert.h"

namespace {

using namespace std::chrono_literals;

class ShieldTimers : public FakeMemoryTest {
  protected:
    void SaveOption(const std::string& key, const std::string& value) {
        SaveSetting(gProgramName, "OptionAndSettings", key, value);
    }

    std::vector<bool> TimersOn() {
        FrmMainForm& main = Main();
        return {main.tmrScheduler.Enabled(), main.tmrCheckHomePage.Enabled(),
                main.tmrMemoryInspected.Enabled(), main.tmrTimeOut.Enabled()};
    }
};

TEST_F(ShieldTimers, OnFollowsTheSettingsAndOffSwitchesAllFour) {
    FrmMainForm& main = Main();
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

// The shield's tick: the check outside a scan, with the timers off while the alert waits.
class ShieldTick : public ShieldTimers {
  protected:
    ShieldTick() {
        WriteProgramDefinitions({"badtool.exe=Bad Tool|[progfil]Bad"});
        // Only the memory shield ticks in these tests.
        SaveOption("optIEHomePageSheildOn", "False");
        EnableShieldTimers(Main(), true);
    }

    // Answers every alert with the button answer picks, noting the timers while it waited.
    void AnswerAlertsWith(forms::CommandButton FrmSpywareFoundAlertForm::*answer) {
        host.OnEveryDoEvents([this, answer](int) {
            if (gAlertAnswered || !forms::IsLoaded<FrmSpywareFoundAlertForm>()) {
                return;
            }
            FrmSpywareFoundAlertForm& alert = frmSpywareFoundAlert();
            alerts.push_back(alert.lblAlertFileName.Caption() + " / " +
                             alert.lblAlertCompanyName.Caption());
            timersWhileWaiting = TimersOn();
            (alert.*answer).Click();
        });
    }

    std::vector<std::string> alerts;
    std::vector<bool> timersWhileWaiting;
};

TEST_F(ShieldTick, StopEndsTheProgramAndTheTimersComeBackOn) {
    Run(42, "C:\\Program Files\\Bad\\badtool.exe");
    AnswerAlertsWith(&FrmSpywareFoundAlertForm::cmdYes);
    host.Advance(10s);
    EXPECT_EQ(alerts,
              std::vector<std::string>{"BADTOOL.EXE / No Company name available for BADTOOL.EXE"});
    EXPECT_EQ(timersWhileWaiting, (std::vector<bool>{false, false, false, false}));
    EXPECT_EQ(TimersOn(), (std::vector<bool>{false, false, true, false}));
    EXPECT_EQ(processes.terminated, std::vector<platform::ProcessId>{42});
}

// Each tick sees the definitions as they stand, even rewritten in place to the same size.
TEST_F(ShieldTick, ATickSeesTheDefinitionsAsTheyStandNow) {
    Run(42, "C:\\Program Files\\Bad\\badtool.exe");
    Run(43, "C:\\Program Files\\Bad\\badtoom.exe");
    AnswerAlertsWith(&FrmSpywareFoundAlertForm::cmdNO);
    host.Advance(10s);
    WriteProgramDefinitions({"badtoom.exe=Bad Tool|[progfil]Bad"});
    host.Advance(10s);
    ASSERT_EQ(alerts.size(), 2u);
    EXPECT_EQ(alerts[1].substr(0, alerts[1].find(' ')), "BADTOOM.EXE");
}

TEST_F(ShieldTick, AllowedProgramsAreNotAskedAboutAgain) {
    Run(42, "C:\\Program Files\\Bad\\badtool.exe");
    AnswerAlertsWith(&FrmSpywareFoundAlertForm::cmdNO);
    host.Advance(10s);
    host.Advance(10s);
    EXPECT_EQ(alerts.size(), 1u);
    EXPECT_EQ(ExclusionFileText(), "BADTOOL.EXE\r\n");
    EXPECT_TRUE(processes.terminated.empty());
}

TEST_F(ShieldTick, DoesNothingWhileTheShieldIsSwitchedOff) {
    Run(42, "C:\\Program Files\\Bad\\badtool.exe");
    SaveOption("optMemorySheildOn", "False");
    Main().tmrMemoryInspected.SetEnabled(true);
    AnswerAlertsWith(&FrmSpywareFoundAlertForm::cmdYes);
    host.Advance(10s);
    EXPECT_TRUE(alerts.empty());
    EXPECT_TRUE(processes.terminated.empty());
    EXPECT_TRUE(Main().tmrMemoryInspected.Enabled());
}

}  // namespace
