#pragma once

#include "forms/form.h"
#include "forms/geometry.h"

// The skinned look and the banner. Windows call these only when the identity asks for them
// (gUseSkin, gShowBanner); this build's identity asks for neither.

// Colours the window's controls from the skin of the splash window (gSkinObject) and hands the
// window to the skin. When that fails because no skin is there yet, the splash is loaded for its
// skin (hidden, its timer stopped so that it never opens the main window) and the window is skinned
// once more; a failure then reaches the caller.
void ApplySkin(forms::Form& window);

// Colours every control by its type name: buttons take colour 1 as background; text, combo, list
// and list-view boxes colour 1 as background and colour 2 as text; picture boxes colour 3 as
// background. Colour 4 is not used.
void ColorControlsByType(forms::Form& window, forms::Color colour1, forms::Color colour2,
                         forms::Color colour3, forms::Color colour4);

// Puts the window's banner browser "wbBanner" into a new picture box "picBox" (gBannerBox) in its
// place, a little narrower, shows it in place of the picture "wbPicture" and opens gBannerURL.
void ShowBanner(forms::Form& window);

// How much narrower the banner's box is than the banner: 20 pixels, or 280 twips.
double BannerMargin(forms::ScaleMode mode);
