// The main window's resize and closing: the timers that follow the window state, and the
// program's shutdown.
#include <charconv>
#include <string>

#include "engine/memory_shield.h"
#include "forms/form_registry.h"
#include "forms/host.h"
#include "foundation/globals.h"
#include "foundation/settings_store.h"
#include "ui/form8.h"
#include "ui/frm_about.h"
#include "ui/frm_delete.h"
#include "ui/frm_download.h"
#include "ui/frm_hidden.h"
#include "ui/frm_home_page_changed_alert.h"
#include "ui/frm_language.h"
#include "ui/frm_main.h"
#include "ui/frm_menu_popup.h"
#include "ui/frm_report.h"
#include "ui/frm_signature_updated.h"
#include "ui/frm_spyware_found_alert.h"
#include "ui/frm_website.h"
#include "ui/globals.h"
#include "ui/skip_on_failure.h"
#include "ui/tray.h"

namespace {

void SaveProgramSetting(const std::string& section, const std::string& key,
                        const std::string& value) {
    SaveSetting(gProgramName, section, key, value);
}

// A width as decimal text, its fraction kept: 1400 is "1400", 1400.5 is "1400.5".
std::string DecimalText(double value) {
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed).ptr;
    return std::string(text, end);
}

void SaveThreatColumnWidths(const forms::ListView& threats) {
    for (int column = 1; column <= threats.ColumnHeaders.Count(); ++column) {
        SaveProgramSetting("Settings", "FoundCol2" + std::to_string(column),
                           DecimalText(threats.ColumnHeaders(column).Width()));
    }
}

// Only a loaded window needs unloading; reaching for one that is not would load it.
template <class Window>
void UnloadIfLoaded() {
    if (Window* window = forms::LoadedInstance<Window>()) {
        SkipOnFailure([window] { window->Unload(); });
    }
}

void UnloadOtherWindows() {
    UnloadIfLoaded<Form8Form>();
    UnloadIfLoaded<FrmAboutForm>();
    UnloadIfLoaded<FrmDownloadForm>();
    UnloadIfLoaded<FrmHomePageChangedAlertForm>();
    UnloadIfLoaded<FrmLanguageForm>();
    UnloadIfLoaded<FrmMenuPopUpForm>();
    UnloadIfLoaded<FrmReportForm>();
    UnloadIfLoaded<FrmSignatureUpdatedForm>();
    UnloadIfLoaded<FrmSpywareFoundAlertForm>();
    UnloadIfLoaded<FrmHiddenForm>();
    UnloadIfLoaded<FrmDeleteForm>();
}

bool BrowserWindowOpen() {
    const FrmWebsiteForm* browser = forms::LoadedInstance<FrmWebsiteForm>();
    return browser != nullptr && browser->Visible();
}

}  // namespace

// Closing is never refused, whatever runs and whatever the window state.
void FrmMainForm::Form_QueryUnload(bool&, forms::UnloadMode) {
    SkipOnFailure([] { SaveProgramSetting("OptionAndSettings", "RESTART", "False"); });
    SkipOnFailure([] { SaveProgramSetting("OptionAndSettings", "STATUS", "STOPPED"); });
    SkipOnFailure([this] { gTray.RemoveIcon(*this); });
}

// The scheduler and the memory shield run only while the window is out of the way (minimised, in
// the tray or maximised); in the normal state the window scrolls its text instead.
void FrmMainForm::Form_Resize() {
    LayoutMainWindow();
    if (WindowState() == forms::WindowState::Normal) {
        SkipOnFailure([this] { tmrScroll.SetEnabled(true); });
        SkipOnFailure([this] {
            tmrScheduler.SetEnabled(false);
            tmrMemoryInspected.SetEnabled(false);
        });
        SkipOnFailure([] { forms::CurrentHost().SetApplicationInTaskbar(true); });
        if (Visible()) {
            SkipOnFailure([] { SaveProgramSetting("Settings", "Minimized", "No"); });
        }
    } else {
        SkipOnFailure([this] { EnableShieldTimers(*this, true); });
        SkipOnFailure([this] { tmrScroll.SetEnabled(false); });
        // Out of the taskbar only while the tray icon offers the way back: a minimised window
        // without a taskbar entry or an icon could not be brought back at all.
        SkipOnFailure(
            [this] { forms::CurrentHost().SetApplicationInTaskbar(!gTray.ShowsIconFor(*this)); });
    }
}

// The column widths and the window state are saved before the window is minimised, so the next
// start finds the window as the user left it.
void FrmMainForm::Form_Unload(bool&) {
    SaveThreatColumnWidths(lvwPicRemoveListOfSpywareFoundAndToBeRemoved);
    SaveProgramSetting("Settings", "Max",
                       WindowState() == forms::WindowState::Maximized ? "1" : "0");
    SkipOnFailure([this] { SetWindowState(forms::WindowState::Minimized); });
    SkipOnFailure([this] { Hide(); });
    UnloadOtherWindows();
    if (BrowserWindowOpen()) {
        // The user is still reading: the program ends when the browser window closes.
        gEndOnWebsiteClose = true;
        return;
    }
    // The skin layer of this build holds nothing that needs releasing before the end.
    forms::CurrentHost().EndProcess();
}
