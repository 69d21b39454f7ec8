// The "Delete Failed" window's design.
#include "ui/frm_delete.h"

#include "forms/form_registry.h"
#include "ui/design.h"

using design::Place;

FrmDeleteForm::FrmDeleteForm() : Form("frmDelete") {
    design::SetUpFixedWindow(*this, "Delete Failed", 6600, 4200);
    Move(3000, 2400);
    Place(SkinLabel11, nullptr,
          "The following files could not be deleted.  You should save your work, close all "
          "running programs (especially browsers) and try to delete them again.",
          240, 180, 6120, 600);
    SkinLabel11.SetWordWrap(true);
    Place(lstProblem, nullptr, 240, 840, 6120, 1980);
    design::AddColumns(lstProblem, {{"Location", 5800}});
    Place(SkinLabel2, nullptr,
          "If you still cannot delete them, you should start your computer in Safe Mode and "
          "either scan again or delete them manually.",
          240, 2940, 6120, 450);
    SkinLabel2.SetWordWrap(true);
    Place(Command2, nullptr, "Copy List", 3840, 3540, 1200, 420);
    Place(Command1, nullptr, "Ok", 5160, 3540, 1200, 420);
    Command1.SetDefault(true);
    Command1.SetCancel(true);
    design::PlaceSkinLabelPattern(SkinLabel1, nullptr);

    Command1.OnClick = [this] { Command1_Click(); };
    Command2.OnClick = [this] { Command2_Click(); };
}

FrmDeleteForm& frmDelete() {
    return forms::DefaultInstance<FrmDeleteForm>();
}
