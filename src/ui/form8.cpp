// The help window: opening the help file.
#include "ui/form8.h"

#include <string>

#include "forms/form_registry.h"
#include "forms/host.h"
#include "forms/message_box.h"
#include "foundation/file_queries.h"
#include "foundation/globals.h"
#include "foundation/machine_settings.h"
#include "foundation/program_folder.h"
#include "ui/pictures.h"

namespace {

constexpr const char* kHelpPagesIndex = "HelpPages\\index.html";

}  // namespace

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
    forms::Host& desktop = forms::CurrentHost();
    // A desktop with no viewer for compiled help (a fresh Linux desktop has none) shows the same
    // pages, shipped beside the help file, in its browser; without them the user is told why
    // nothing opens.
    const std::string pages = ProgramFolderFile(kHelpPagesIndex);
    const bool viewer = desktop.HasApplicationFor(helpFile);
    if ((!viewer && !FileExists(pages)) || !desktop.OpenDocument(viewer ? helpFile : pages)) {
        forms::MsgBox("The help cannot be shown: no program on this computer opens " + helpFile +
                          (viewer ? "." : ", and its pages (" + pages + ") are missing."),
                      forms::MsgBoxInformation, gProgramName);
        return;
    }
    SaveMachineSetting(gProgramName, "Settings", "showHelp", "0");
}

void Form8Form::OpenMsHelp() {
    forms::CurrentHost().OpenDocument(ProgramFolderFile("mshelp.chm"));
}
