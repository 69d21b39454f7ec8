// The spyware alert: raised for a running program, it holds the check until STOP or ALLOW.
#include <gtest/gtest.h>

#include "engine/globals.h"
#include "engine/spyware_alert.h"
#include "forms/form_registry.h"
#include "foundation/exclusion_list.h"
#include "foundation/globals.h"
#include "memory_fixture.h"
#include "ui/frm_spyware_found_alert.h"

namespace {

using forms::MsgBoxResult;
using platform::FakeProcess;

constexpr char kBadTool[] = "C:\\Program Files\\Bad\\badtool.exe";

class SpywareAlert : public FakeMemoryTest {
  protected:
    // Raises the alert for the program and runs answer inside the wait, on the alert shown.
    void RaiseAndAnswer(const std::string& company,
                        const std::function<void(FrmSpywareFoundAlertForm&)>& answer) {
        host.OnDoEvents(host.DoEventsCount() + 3, [&] {
            ASSERT_TRUE(forms::IsLoaded<FrmSpywareFoundAlertForm>());
            FrmSpywareFoundAlertForm& alert = frmSpywareFoundAlert();
            EXPECT_TRUE(alert.Visible());
            answer(alert);
        });
        RaiseSpywareAlert("badtool.exe", company, {31, kBadTool});
        EXPECT_TRUE(gAlertAnswered);
        EXPECT_FALSE(forms::IsLoaded<FrmSpywareFoundAlertForm>());
    }
};

TEST_F(SpywareAlert, NamesTheProgramAndItsCompanyInUpperCase) {
    Run(31, kBadTool);
    RaiseAndAnswer(" Bad Soft Inc. ", [](FrmSpywareFoundAlertForm& alert) {
        EXPECT_EQ(alert.lblAlertFileName.Caption(), "BADTOOL.EXE");
        EXPECT_EQ(alert.lblAlertCompanyName.Caption(), "BAD SOFT INC.");
        EXPECT_TRUE(alert.tmrBlink.Enabled());
        alert.cmdNO.Click();
    });
    RaiseAndAnswer("  ", [](FrmSpywareFoundAlertForm& alert) {
        EXPECT_EQ(alert.lblAlertCompanyName.Caption(), "No Company name available for badtool.exe");
        alert.cmdNO.Click();
    });
}

TEST_F(SpywareAlert, StopEndsTheProgramFoundAndNoOther) {
    Run(30, "C:\\Program Files\\Good\\badtool.exe");
    Run(31, kBadTool);
    RaiseAndAnswer("", [](FrmSpywareFoundAlertForm& alert) { alert.cmdYes.Click(); });
    EXPECT_EQ(processes.terminated, std::vector<platform::ProcessId>{31});
    EXPECT_TRUE(host.MsgBoxesShown().empty());
    EXPECT_EQ(ExclusionFileText(), "");
}

TEST_F(SpywareAlert, StopOnAProgramThatEndedMeanwhileClosesWithoutAMessage) {
    RaiseAndAnswer("", [](FrmSpywareFoundAlertForm& alert) { alert.cmdYes.Click(); });
    EXPECT_TRUE(host.MsgBoxesShown().empty());
}

TEST_F(SpywareAlert, AProgramThatCannotBeStoppedIsToldOf) {
    Run(31, kBadTool).refusedTerminations = FakeProcess::kRefusesForever;
    // The message table gives every text with its first letter in upper case.
    host.ExpectMsgBox({MsgBoxResult::Ok,
                       "BADTOOL.EXE Could not be stopped.  You should try again after saving your "
                       "work and closing any open applications.",
                       gProgramName, forms::MsgBoxInformation, nullptr});
    RaiseAndAnswer("", [](FrmSpywareFoundAlertForm& alert) { alert.cmdYes.Click(); });
    EXPECT_TRUE(processes.terminated.empty());
}

TEST_F(SpywareAlert, AllowExcludesTheProgramFromNowOn) {
    gUseSkin = true;  // a skinned alert answers alike
    Run(31, kBadTool);
    RaiseAndAnswer("", [](FrmSpywareFoundAlertForm& alert) { alert.cmdNO.Click(); });
    EXPECT_EQ(ExclusionFileText(), "BADTOOL.EXE\r\n");
    EXPECT_TRUE(IsExcluded("badtool.exe"));
    EXPECT_TRUE(processes.terminated.empty());
}

TEST_F(SpywareAlert, TheCloseBoxIsNoAnswerButTheProgramMayCloseTheWindow) {
    Run(31, kBadTool);
    RaiseAndAnswer("", [](FrmSpywareFoundAlertForm& alert) {
        EXPECT_FALSE(alert.Close());
        EXPECT_TRUE(alert.IsLoaded());
        alert.cmdNO.Click();
    });

    // Closed by the program (as at shutdown): the check goes on, nothing decided.
    host.OnDoEvents(host.DoEventsCount() + 1, [] { frmSpywareFoundAlert().Unload(); });
    RaiseSpywareAlert("badtool.exe", "", {31, kBadTool});
    EXPECT_FALSE(gAlertAnswered);
    EXPECT_EQ(ExclusionFileText(), "BADTOOL.EXE\r\n");
}

}  // namespace
