// Design helpers of the window constructors.
#include "ui/design.h"

#include "ui/pictures.h"

namespace design {

void SetUpFixedWindow(forms::Form& window, const std::string& caption, double innerWidth,
                      double innerHeight) {
    window.SetCaption(caption);
    window.SetIcon(pictures::kProgramIcon);
    window.SetFixedBorder(true);
    window.SetInnerSize(innerWidth, innerHeight);
}

}  // namespace design
