// The spyware alert's answers: stop the program or allow it from now on.
#include "engine/spyware_alert.h"

#include "engine/globals.h"
#include "forms/form_registry.h"
#include "forms/host.h"
#include "forms/message_box.h"
#include "foundation/exclusion_list.h"
#include "foundation/globals.h"
#include "foundation/path_text.h"
#include "localization/globals.h"
#include "platform/text_case.h"
#include "ui/frm_spyware_found_alert.h"
#include "ui/skin.h"

void RaiseSpywareAlert(std::string_view name, std::string_view company,
                       const RunningProgram& program) {
    FrmSpywareFoundAlertForm& alert = frmSpywareFoundAlert();
    alert.lblAlertCompanyName.SetCaption(TrimBlanks(company).empty()
                                             ? gLanguages->getMessages("MSG_NOCOMPANY") + " " +
                                                   std::string(name)
                                             : platform::ToUpperText(TrimBlanks(company)));
    alert.lblAlertFileName.SetCaption(platform::ToUpperText(name));
    alert.AlertedProgram = program;
    gAlertAnswered = false;
    alert.Show();
    // Both answers unload the window, and so does the program's end: the wait sleeps in the loop
    // until then, using no processor however long the user is away.
    forms::CurrentHost().WaitWhileShown(alert);
}

void TellCouldNotBeStopped(std::string_view name) {
    forms::MsgBox(platform::ToUpperText(name) + " " + gLanguages->getMessages("MSG_ERROR_STOPPED"),
                  forms::MsgBoxInformation, gProgramName);
}

void FrmSpywareFoundAlertForm::Form_Load() {
    tmrBlink.SetEnabled(true);
    // Every label of this window is a skin label already, so there are no plain labels to copy
    // into the SkinLabel1 array before the window is skinned.
    if (gUseSkin) {
        try {
            ApplySkin(*this);
        } catch (const std::exception&) {
            // An alert without its skin still asks its question.
        }
    }
}

void FrmSpywareFoundAlertForm::Form_QueryUnload(bool& cancel, forms::UnloadMode mode) {
    cancel = mode == forms::UnloadMode::ControlMenu && !gAlertAnswered;
}

// One answer only: the answers yield to the loop, where a second click could come.
void FrmSpywareFoundAlertForm::TakeAnswer() {
    cmdYes.SetEnabled(false);
    cmdNO.SetEnabled(false);
    gAlertAnswered = true;
}

void FrmSpywareFoundAlertForm::cmdYes_Click() {
    TakeAnswer();
    const std::string name(TrimBlanks(lblAlertFileName.Caption()));
    const bool stopped =
        AlertedProgram ? StopRunningProgram(*AlertedProgram) : KillProcessByName(name);
    if (!stopped) {
        TellCouldNotBeStopped(name);
    }
    Unload();
}

void FrmSpywareFoundAlertForm::cmdNO_Click() {
    TakeAnswer();
    AddExclusion(TrimBlanks(lblAlertFileName.Caption()));
    Unload();
}

void FrmSpywareFoundAlertForm::tmrBlink_Timer() {}
