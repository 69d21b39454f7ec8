#pragma once

#include "forms/control_array.h"
#include "forms/form.h"
#include "forms/labels.h"

// Skinned copies of a window's plain labels. Element 0 of a skin-label array is its pattern: every
// control of type "Label" in the pattern's container gets a new element at the next free index,
// with the label's Top, Left, Height, Width, Font, Caption and Visible, in that order.
void CopyLabelsIntoSkinLabels(forms::Form& window,
                              forms::ControlArray<forms::SkinLabel>& skinLabels);
