// The hidden window: nothing but its name.
#include "ui/frm_hidden.h"

#include "forms/form_registry.h"

FrmHiddenForm::FrmHiddenForm() : Form("frmHidden") {
    SetCaption("");
}

FrmHiddenForm& frmHidden() {
    return forms::DefaultInstance<FrmHiddenForm>();
}
