#include "ui/skin_labels.h"

#include <vector>

void CopyLabelsIntoSkinLabels(forms::Form& window,
                              forms::ControlArray<forms::SkinLabel>& skinLabels) {
    const forms::Control* container = skinLabels(0).Container();
    // A copy of the list: every skinned copy joins the window's controls.
    const std::vector<forms::Control*> controls = window.Controls();
    for (forms::Control* control : controls) {
        if (control->TypeName() == "Label" && control->Container() == container) {
            forms::CopyPlacementAndCaption(static_cast<const forms::Label&>(*control),
                                           skinLabels.LoadNext());
        }
    }
}
