// The help window: opening the help file.
#include "ui/form8.h"

#include "forms/form_registry.h"
#include "ui/pictures.h"

Form8Form::Form8Form() : Form("Form8") {
    SetCaption("Help");
    SetIcon(pictures::kProgramIcon);
}

Form8Form& Form8() {
    return forms::DefaultInstance<Form8Form>();
}

void Form8Form::Form_Load() {}

void Form8Form::OpenMsHelp() {}
