#include <gtest/gtest.h>

#include "forms/form_registry.h"
#include "sample_windows.h"
#include "support/forms_fixture.h"

using sample::EventLog;
using sample::frmMain;
using sample::frmSecond;
using sample::MainForm;
using sample::SecondForm;

namespace {

class WindowLifecycle : public FormsTest {
  protected:
    WindowLifecycle() {
        EventLog().clear();
        MainForm::loadSecondOnLoad = false;
    }
};

TEST_F(WindowLifecycle, FirstReferenceLoadsOnceAndLaterReferencesShareTheWindow) {
    EXPECT_FALSE(forms::IsLoaded<MainForm>());
    EXPECT_EQ(forms::LoadedInstance<MainForm>(), nullptr);
    EXPECT_TRUE(EventLog().empty()) << "asking whether a window is loaded must not load it";

    MainForm& first = frmMain();
    MainForm& second = frmMain();

    EXPECT_EQ(&first, &second);
    EXPECT_TRUE(first.IsLoaded());
    EXPECT_EQ(first.lblStatus.Tag(), "loaded")
        << "the reference inside Form_Load reached the same window";
    EXPECT_EQ(EventLog(), (std::vector<std::string>{"Main.Load"}));
}

TEST_F(WindowLifecycle, LoadedWindowsKeepLoadOrderAndObserversHearOfLoadsBeforeFormLoad) {
    std::vector<std::string> heard;
    const auto id = forms::ObserveForms([&](forms::Form& form, forms::FormEvent event) {
        heard.push_back(form.Name() + (event == forms::FormEvent::Loaded ? " loaded" : " gone"));
        EventLog().push_back("observer " + form.Name());
    });
    MainForm::loadSecondOnLoad = true;

    frmMain();
    frmMain().Unload();
    forms::StopObservingForms(id);

    EXPECT_EQ(heard,
              (std::vector<std::string>{"frmMain loaded", "frmSecond loaded", "frmMain gone"}));
    EXPECT_EQ(EventLog()[0], "observer frmMain");
    EXPECT_EQ(EventLog()[1], "Main.Load");
    ASSERT_EQ(forms::LoadedForms().size(), 1u);
    EXPECT_EQ(forms::LoadedForms()[0], &frmSecond());
}

TEST_F(WindowLifecycle, UnloadRunsQueryThenUnloadAndTheNextReferenceLoadsAFreshWindow) {
    MainForm& old = frmMain();
    old.SetCaption("Changed at run time");
    const auto oldHandle = old.Hwnd();

    EXPECT_TRUE(old.Unload());

    EXPECT_FALSE(old.IsLoaded());
    EXPECT_FALSE(forms::IsLoaded<MainForm>());
    EXPECT_TRUE(forms::LoadedForms().empty());
    EXPECT_EQ(forms::FindLoadedForm(oldHandle), nullptr);
    MainForm& fresh = frmMain();
    EXPECT_NE(&fresh, &old);
    EXPECT_EQ(fresh.Caption(), "Design caption");
    EXPECT_NE(fresh.Hwnd(), oldHandle);
    EXPECT_EQ(forms::FindLoadedForm(fresh.Hwnd()), &fresh);
    EXPECT_EQ(forms::FindLoadedForm("FRMMAIN"), &fresh);
    EXPECT_EQ(EventLog(), (std::vector<std::string>{"Main.Load", "Main.QueryUnload 1",
                                                    "Main.Unload", "Main.Load"}));
}

TEST_F(WindowLifecycle, EitherUnloadEventCanCancelTheClose) {
    frmMain().cancelQuery = true;
    EXPECT_FALSE(frmMain().Close());
    EXPECT_TRUE(forms::IsLoaded<MainForm>());

    frmMain().cancelQuery = false;
    frmMain().cancelUnload = true;
    EXPECT_FALSE(frmMain().Close());
    EXPECT_TRUE(forms::IsLoaded<MainForm>());

    frmMain().cancelUnload = false;
    EXPECT_TRUE(frmMain().Close());
    EXPECT_FALSE(forms::IsLoaded<MainForm>());
    EXPECT_EQ(EventLog(),
              (std::vector<std::string>{"Main.Load", "Main.QueryUnload 0", "Main.QueryUnload 0",
                                        "Main.Unload", "Main.QueryUnload 0", "Main.Unload"}));
}

TEST_F(WindowLifecycle, UnloadSkippingQueryRunsOnlyTheUnloadEvent) {
    frmMain().UnloadSkippingQuery();
    EXPECT_EQ(EventLog(), (std::vector<std::string>{"Main.Load", "Main.Unload"}));
}

TEST_F(WindowLifecycle, AWindowUnloadingItselfFromItsHandlerIsDestroyedOnlyLater) {
    MainForm& window = frmMain();
    window.Show();
    const int destroyedBefore = sample::DestroyedWindows();

    window.cmdClose.Click();

    EXPECT_EQ(EventLog().back(), "Main.cmdClose done");
    EXPECT_FALSE(window.Visible());
    EXPECT_EQ(window.lblStatus.Caption(), "closed") << "the handler went on with a live object";
    EXPECT_EQ(sample::DestroyedWindows(), destroyedBefore);
    forms::DestroyUnloadedForms();
    EXPECT_EQ(sample::DestroyedWindows(), destroyedBefore + 1);
    EXPECT_FALSE(forms::IsLoaded<MainForm>());
}

TEST_F(WindowLifecycle, UnloadStopsTheWindowsTimers) {
    frmMain().tmrTick.SetEnabled(true);
    host.Advance(std::chrono::milliseconds(250));
    EXPECT_EQ(frmMain().ticks, 2);
    MainForm& old = frmMain();

    old.Unload();
    host.Advance(std::chrono::milliseconds(1000));

    EXPECT_EQ(old.ticks, 2);
    EXPECT_FALSE(old.tmrTick.IsRunning());
    EXPECT_EQ(host.RunningTimerCount(), 0u);
}

TEST_F(WindowLifecycle, TimersStartWithTheLoadNotWithTheConstruction) {
    EXPECT_EQ(host.RunningTimerCount(), 0u);
    frmMain().tmrTick.SetEnabled(true);
    EXPECT_EQ(host.RunningTimerCount(), 1u);
    forms::DestroyAllForms();
    EXPECT_EQ(host.RunningTimerCount(), 0u) << "destroyed windows leave no timer behind";
}

TEST_F(WindowLifecycle, TrayMessagesReachOnlyALoadedOwner) {
    const auto handle = frmMain().Hwnd();
    host.AddTrayIcon(forms::TrayIcon{handle, 1, "tip", "app"});

    host.ClickTrayIcon(handle, forms::tray_message::LeftDoubleClick);
    frmMain().MouseMove(0, 0, 513 * forms::kTwipsPerPixel, 0);  // plain mouse movement is no click
    frmMain().Unload();
    forms::DeliverTrayMessage(handle, forms::tray_message::LeftButtonDown);

    EXPECT_EQ(std::count(EventLog().begin(), EventLog().end(), "Main.Tray 515"), 1);
    EXPECT_EQ(std::count(EventLog().begin(), EventLog().end(), "Main.Tray 513"), 0);
}

}  // namespace
