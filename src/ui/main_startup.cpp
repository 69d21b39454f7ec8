// The main window's load: the program's start-up sequence.
//
// It runs in two phases. Until the Status panel is shown a failure ends the start-up (and with it
// the program): nothing sensible can run without the message table, the definitions or the
// exclusion list. From then on every step is on its own, so a missing control, a missing skin or
// a refused settings write never keeps the program from starting.
#include <array>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/leftover_files.h"
#include "engine/memory_shield.h"
#include "engine/option_settings.h"
#include "forms/form_registry.h"
#include "forms/host.h"
#include "forms/labels.h"
#include "forms/message_box.h"
#include "foundation/definition_files.h"
#include "foundation/exclusion_list.h"
#include "foundation/globals.h"
#include "foundation/machine_settings.h"
#include "foundation/settings_store.h"
#include "localization/globals.h"
#include "platform/application.h"
#include "ui/form8.h"
#include "ui/frm_delete.h"
#include "ui/frm_hidden.h"
#include "ui/frm_language.h"
#include "ui/frm_main.h"
#include "ui/frm_splash.h"
#include "ui/main_navigation.h"
#include "ui/skin.h"

namespace {

// Runs one step of the second phase: a failure skips the step, the start-up goes on.
void Skippable(const std::function<void()>& step) {
    try {
        step();
    } catch (const std::exception&) {
    }
}

std::string Message(const char* key) {
    return gLanguages->getMessages(key);
}

// The first-run language choice: a missing "Language" marks the first run. The setting is saved
// before the chooser opens, so that it opens once even when the user just closes it.
void ChooseLanguageOnFirstRun(bool firstRun) {
    if (!firstRun) {
        return;
    }
    SaveSetting(gProgramName, "Settings", "Language", "English");
    frmLanguage().Show(forms::ShowMode::Modal);
}

// The splash's icon. The splash opened the main window, so it is loaded; should it not be, its
// design tells the icon without loading a splash that would go on to open the main window.
forms::ImageId SplashIcon() {
    if (const FrmSplashForm* splash = forms::LoadedInstance<FrmSplashForm>()) {
        return splash->Icon();
    }
    return FrmSplashForm().Icon();
}

// With a banner the panels move down by its height and the window grows by as much.
void MakeRoomForBanner(FrmMainForm& window) {
    const double bannerHeight = window.wbBanner.Height();
    window.frmStatus.SetTop(window.frmStatus.Top() + bannerHeight);
    for (forms::Frame* panel : {&window.frmOptions, &window.frmResults, &window.frmScan}) {
        panel->SetTop(window.frmStatus.Top());
    }
    window.SetHeight(window.Height() + bannerHeight);
    ShowBanner(window);
}

// Skin labels take the place of the plain labels: each label is copied into the first of the
// skin-label arrays whose pattern shares its container. The plain labels stay as they are.
void CopyLabelsIntoSkinLabels(FrmMainForm& window) {
    const std::array<forms::ControlArray<forms::SkinLabel>*, 6> arrays = {
        &window.SkinLabel1, &window.SkinLabel2, &window.SkinLabel3,
        &window.SkinLabel4, &window.SkinLabel5, &window.SkinLabel6};
    // A copy of the list: every copy made joins the window's controls.
    const std::vector<forms::Control*> controls = window.Controls();
    for (forms::Control* control : controls) {
        if (control->TypeName() != "Label") {
            continue;
        }
        const auto& label = static_cast<const forms::Label&>(*control);
        for (forms::ControlArray<forms::SkinLabel>* array : arrays) {
            if ((*array)(0).Container() == label.Container()) {
                forms::CopyPlacementAndCaption(label, array->LoadNext());
                break;
            }
        }
    }
    ApplySkin(window);
}

// The help opens once per user: loading the help window opens the help file.
void OpenHelpOnFirstUse() {
    if (GetSetting(gProgramName, "Settings", "showHelp", "1") != "1") {
        return;
    }
    OpenHelpWindow();
    SaveSetting(gProgramName, "Settings", "showHelp", "0");
}

bool AutomaticUpdateChosen() {
    return OptionCheckState("chkAutomaticUpdate", 0) == 1;
}

// The first start on this machine offers a live update, once: "FirstTime" is saved before the
// question, so answering No (or failing to answer) does not bring it back.
bool UserWantsFirstUpdate() {
    if (!GetMachineSetting(gProgramName, "Settings", "FirstTime", "").empty()) {
        return false;
    }
    SaveMachineSetting(gProgramName, "Settings", "FirstTime", "Yes");
    const std::string text = Message("MSG_THANK1") + "\r\n\r\n" + Message("MSG_THANK2") +
                             "\r\n\r\n" + Message("MSG_THANK3");
    return forms::MsgBox(text, forms::MsgBoxYesNo, Message("MSG_THANK4")) ==
           forms::MsgBoxResult::Yes;
}

}  // namespace

void FrmMainForm::Form_Load() {
    // Phase one: a failure here ends the start-up.
    const bool firstRun = GetSetting(gProgramName, "Settings", "Language", "").empty();
    gLanguages = std::make_unique<clsLanguages>();
    gCurrentLanguage = GetSetting(gProgramName, "Settings", "Language", "English");
    gLanguages->LoadDefaultMessages();
    gLanguages->ChangeLanguage(*this, gCurrentLanguage);
    ChooseLanguageOnFirstRun(firstRun);
    if (gUseSplashIcon) {
        SetIcon(SplashIcon());
    }
    UpdateIdleTicks = 0;
    if (platform::PreviousInstance()) {
        forms::CurrentHost().EndProcess();
    }
    // No other copy runs: the temporary files there are, a killed copy left.
    RemoveLeftoverTemporaryFiles();
    InstallDownloadedDefinitions();
    gDefinitionsTotal = CountDefinitions();
    RefreshStatusLabels();
    LoadExclusions();
    HideAllPanels();
    frmStatus.SetCaption(gProgramName + " Status");
    frmStatus.SetVisible(true);

    // Phase two: every step on its own.
    Skippable([] { SaveSetting(gProgramName, "OptionAndSettings", "STATUS", "RUNNING"); });
    Skippable([] { SaveSetting(gProgramName, "OptionAndSettings", "RESTART", "False"); });
    Skippable([] { frmHidden(); });
    Skippable([this] { SetCaption(Message("MSG_CAPTION")); });
    Skippable([this] { cmdWebsite.SetCaption(Message("MSG_WEBSITE")); });
    Skippable([this] { shpCircle.SetVisible(false); });
    // Out of the taskbar until the window is shown normally (the resize handler puts it back).
    Skippable([] { forms::CurrentHost().SetApplicationInTaskbar(false); });
    Skippable([this] { EnableShieldTimers(*this, false); });
    Skippable([this] { LoadScheduleSettings(); });
    Skippable([this] { ListDrives(); });
    Skippable([this] { LoadSettingsIntoControls(); });
    Skippable([this] { ShowMainPanels(*this, true, false, false, false); });
    Skippable([this] { EnableShieldTimers(*this, true); });
    Skippable([this] { tmrScroll.SetEnabled(false); });
    Skippable([] { frmDelete().Hide(); });
    Skippable([this] {
        if (gUseSkin) {
            ApplySkin(*this);
        }
    });
    Skippable([this] {
        if (gShowBanner) {
            MakeRoomForBanner(*this);
        }
    });
    Skippable([this] { Label22.SetCaption(Message("MSG_CAPTION2")); });
    Skippable([this] {
        if (gUseSkin) {
            CopyLabelsIntoSkinLabels(*this);
        }
    });
    Skippable(OpenHelpOnFirstUse);
    Skippable([this] {
        if (AutomaticUpdateChosen()) {
            timUpdate.SetEnabled(true);
        }
    });
    Skippable([this] {
        if (GetSetting(gProgramName, "Settings", "Minimized", "No") == "Yes") {
            Command5_Click();
        }
    });
    Skippable([this] {
        if (UserWantsFirstUpdate()) {
            cmdUpdate_Click();
        }
    });
}
