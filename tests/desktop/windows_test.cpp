// The program's windows as the window manager shows them: their titles as the program gives them,
// fixed borders that cannot be maximised, a splash without any border, a notice that takes the
// keyboard from nobody; and the keyboard of dialogs: Escape closes, Return presses the button.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <functional>
#include <string>
#include <vector>

#include "desktop/program_on_display.h"
#include "forms/form_registry.h"
#include "foundation/globals.h"
#include "qt/control_widget.h"
#include "ui/frm_about.h"
#include "ui/frm_delete.h"
#include "ui/frm_language.h"
#include "ui/frm_main.h"
#include "ui/frm_report.h"
#include "ui/frm_signature_updated.h"
#include "ui/frm_splash.h"

namespace {

using namespace std::chrono_literals;

struct ShownWindow {
    std::function<forms::Form&()> window;
    bool fixed;    // a fixed border: never maximised
    bool border;   // a border and a title at all
    bool focus;    // takes the keyboard when shown
    bool escapes;  // Escape closes or hides it
};

class ProgramWindows : public desktop::ProgramOnDisplayTest {
  protected:
    void SetUp() override {
        ProgramOnDisplayTest::SetUp();
        if (!IsSkipped()) {
            ASSERT_TRUE(StartProgram());
        }
    }

    bool Managed(const forms::Form& form) {
        return display->Inspect(program->WindowOf(form)).state == desktop::ManagedState::Normal;
    }
};

TEST_F(ProgramWindows, ShowTheirOwnTitlesAndBordersAndCloseWithEscape) {
    const std::vector<ShownWindow> windows = {
        {[]() -> forms::Form& { return FrmMain(); }, false, true, true, false},
        {[]() -> forms::Form& { return frmAbout(); }, true, true, true, true},
        {[]() -> forms::Form& { return frmDelete(); }, true, true, true, true},
        {[]() -> forms::Form& { return frmLanguage(); }, true, true, true, true},
        {[]() -> forms::Form& { return frmReport(); }, true, true, true, true},
        {[]() -> forms::Form& { return frmSignatureUpdated(); }, true, true, false, false},
        {[]() -> forms::Form& { return frmSplash(); }, true, false, true, false},
    };
    for (const ShownWindow& shown : windows) {
        forms::Form& form = shown.window();
        const std::string name = form.Name();
        form.Show();
        ASSERT_TRUE(program->RunUntil([&] { return Managed(form); })) << name;
        const unsigned long window = program->WindowOf(form);
        // A window without a title of its own (the splash) is named by the program's name.
        const std::string title = form.Caption().empty() ? gProgramName : form.Caption();
        EXPECT_EQ(display->Property(window, "_NET_WM_NAME"),
                  "_NET_WM_NAME(UTF8_STRING) = \"" + title + "\"\n")
            << name << ": the title is the program's alone";
        const std::string actions = display->Property(window, "_NET_WM_ALLOWED_ACTIONS");
        EXPECT_EQ(actions.find("MAXIMIZE") == std::string::npos, shown.fixed) << name << actions;
        EXPECT_EQ(display->Property(window, "_NET_FRAME_EXTENTS").find("= 0, 0, 0, 0") ==
                      std::string::npos,
                  shown.border)
            << name;
        if (shown.focus) {
            EXPECT_TRUE(program->RunUntil([&] { return display->ActiveWindow() == window; }))
                << name << " did not take the keyboard";
        } else {
            program->RunFor(300ms);
            EXPECT_NE(display->ActiveWindow(), window) << name << " took the keyboard";
        }
        if (shown.escapes) {
            display->Key("Escape");
            // Escape may unload the window, whose object then goes: look it up by its name.
            EXPECT_TRUE(program->RunUntil([&] {
                const forms::Form* still = forms::FindLoadedForm(name);
                return still == nullptr || !still->Visible();
            })) << name
                << " stays after Escape";
        }
        if (forms::Form* still = forms::FindLoadedForm(name); still && still != &FrmMain()) {
            still->Hide();
        }
    }
}

// Tab goes only where the user can see, and Return presses the button that has the keyboard, on
// the main window as in a dialog.
TEST_F(ProgramWindows, TabStopsOnlyWhereTheUserSeesAndReturnPressesTheFocusedButton) {
    FrmMainForm& main = FrmMain();
    display->Activate(program->WindowOf(main));
    QWidget& window = *program->host().renderer().WindowOf(main);
    for (int press = 0; press < 40; ++press) {
        display->Key("Tab");
        program->RunFor(20ms);
        const QWidget* focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr);
        const QRect place(focused->mapTo(&window, QPoint(0, 0)), focused->size());
        EXPECT_TRUE(window.rect().intersects(place) && focused->isVisible())
            << focused->objectName().toStdString() << " takes Tab out of sight";
    }
    frontend_test::WidgetOf(program->host().renderer(), main.cmdSettings)
        .setFocus(Qt::TabFocusReason);
    display->Key("Return");
    EXPECT_TRUE(program->RunUntil([&] { return main.frmOptions.Visible(); }));
}

}  // namespace
