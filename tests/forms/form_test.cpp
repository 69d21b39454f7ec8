#include <gtest/gtest.h>

#include "forms/form_registry.h"
#include "sample_windows.h"
#include "support/forms_fixture.h"

using sample::EventLog;
using sample::frmMain;
using sample::frmSecond;
using sample::SecondForm;

namespace {

class FormBehaviour : public FormsTest {
  protected:
    FormBehaviour() { EventLog().clear(); }

    long Resizes() const { return std::count(EventLog().begin(), EventLog().end(), "Main.Resize"); }
};

TEST_F(FormBehaviour, ResizeComesWithTheFirstShowingAndEverySizeOrStateChange) {
    frmMain();
    EXPECT_EQ(Resizes(), 0) << "the constructor's design size is no resize";
    EXPECT_DOUBLE_EQ(frmMain().Width(), 5000);

    frmMain().Show();
    EXPECT_EQ(Resizes(), 1);
    frmMain().Hide();
    frmMain().Show();
    EXPECT_EQ(Resizes(), 1) << "only the first showing counts as a resize";

    frmMain().SetWidth(6000);
    frmMain().SetWidth(6000);
    frmMain().SetHeight(5000);
    frmMain().SetWindowState(forms::WindowState::Minimized);
    frmMain().SetWindowState(forms::WindowState::Minimized);
    frmMain().Move(10, 20, 7000, 5500);
    frmMain().Move(30, 40);
    EXPECT_EQ(Resizes(), 5);
}

TEST_F(FormBehaviour, ShowingAMinimisedWindowKeepsItMinimised) {
    frmMain().SetWindowState(forms::WindowState::Minimized);
    frmMain().Hide();
    frmMain().Show();
    EXPECT_TRUE(frmMain().Visible());
    EXPECT_EQ(frmMain().WindowState(), forms::WindowState::Minimized);
}

TEST_F(FormBehaviour, AModalShowReturnsOnlyAfterTheWindowClosedWhileTimersTick) {
    frmMain().tmrTick.SetEnabled(true);
    host.ExpectModalOf<SecondForm>([this](SecondForm& window) {
        EXPECT_TRUE(window.Visible());
        host.Advance(std::chrono::milliseconds(300));
        window.cmdOk.Click();
    });

    frmSecond().Show(forms::ShowMode::Modal);

    EXPECT_FALSE(frmSecond().Visible());
    EXPECT_EQ(frmMain().ticks, 3);
    EXPECT_EQ(host.ModalWindowsShown(), (std::vector<std::string>{"frmSecond"}));
}

TEST_F(FormBehaviour, ScaleSizesFollowTheScaleModeAndTheBorder) {
    forms::Form& window = frmMain();
    window.SetFrameInsets(forms::FrameInsets{4, 30, 4, 4});
    window.SetInnerSize(4215, 1785);

    EXPECT_DOUBLE_EQ(window.Width(), 4215 + 8 * 15);
    EXPECT_DOUBLE_EQ(window.Height(), 1785 + 34 * 15);
    EXPECT_DOUBLE_EQ(window.ScaleWidth(), 4215);
    window.SetScaleMode(forms::ScaleMode::Pixels);
    EXPECT_DOUBLE_EQ(window.ScaleWidth(), 281);
    EXPECT_DOUBLE_EQ(window.ScaleHeight(), 119);
    EXPECT_DOUBLE_EQ(window.TwipsPerUnit(), 15);

    window.SetWidth(100);
    EXPECT_DOUBLE_EQ(window.ScaleWidth(), 0) << "a window narrower than its border has no inside";
    EXPECT_THROW(window.SetHeight(-1), forms::InvalidPropertyValue);
}

TEST_F(FormBehaviour, FormObserversHearOfTheFormAndOfEachControl) {
    std::vector<std::string> heard;
    frmMain().Observe([&](const forms::Change& change) {
        heard.push_back(change.control ? change.control->Name() : change.form->Name());
    });
    int labelChanges = 0;
    frmMain().lblStatus.Observe([&](const forms::Change&) { ++labelChanges; });

    frmMain().SetCaption("New");
    frmMain().SetCaption("New");
    frmMain().lblStatus.SetCaption("5");
    frmMain().cmdClose.SetEnabled(false);
    frmMain().ZOrder();

    EXPECT_EQ(heard, (std::vector<std::string>{"frmMain", "lblStatus", "cmdClose", "frmMain"}));
    EXPECT_EQ(labelChanges, 1);
}

}  // namespace
