// The help window: opening the help file.
#include "ui/form8.h"

#include <string>

#include "forms/form_registry.h"
#include "forms/host.h"
#include "foundation/file_queries.h"
#include "foundation/globals.h"
#include "foundation/machine_settings.h"
#include "foundation/program_folder.h"
#include "ui/pictures.h"

Form8Form::Form8Form() : Form("Form8") {
    SetCaption("Help");
    SetIcon(pictures::kProgramIcon);
}

Form8Form& Form8() {
    return forms::DefaultInstance<Form8Form>();
}

void OpenHelpWindow() {
    Form8().Show();
    forms::DoEvents();
    if (Form8Form* help = forms::LoadedInstance<Form8Form>()) {
        help->Unload();
    }
}

void Form8Form::Form_Load() {
    SetHeight(0);
    SetWidth(0);
    SetVisible(false);
    const std::string helpFile = ProgramFolderFile("Help.chm");
    if (!FileExists(helpFile)) {
        return;
    }
    forms::CurrentHost().OpenDocument(helpFile);
    SaveMachineSetting(gProgramName, "Settings", "showHelp", "0");
}

void Form8Form::OpenMsHelp() {
    forms::CurrentHost().OpenDocument(ProgramFolderFile("mshelp.chm"));
}
