// The "Delete Failed" window: hiding it and copying its list.
#include "forms/host.h"
#include "foundation/globals.h"
#include "ui/frm_delete.h"
#include "ui/skin.h"

// Every label of this window is a skin label already: there are no plain labels to copy into the
// SkinLabel1 array before the window is skinned.
void FrmDeleteForm::Form_Load() {
    if (gUseSkin) {
        ApplySkin(*this);
    }
}

void FrmDeleteForm::Command1_Click() {
    Hide();
}

void FrmDeleteForm::Command2_Click() {
    std::string text;
    for (int i = 1; i <= lstProblem.ListItems.Count(); ++i) {
        text += lstProblem.ListItems(i).Text() + "\r\n";
    }
    forms::CurrentHost().ClearClipboard();
    forms::CurrentHost().SetClipboardText(text);
}
