// The "Delete Failed" window: hiding it and copying its list.
#include "forms/host.h"
#include "ui/frm_delete.h"

void FrmDeleteForm::Form_Load() {}

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
