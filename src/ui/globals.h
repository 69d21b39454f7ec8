#pragma once

class SkinControl;
namespace forms {
class PictureBox;
}

// The user interface's program-wide values, in one place so that tests can reset them.

// The splash window's skin, through which every skinned window is skinned; set by the splash's
// load when the identity asks for skins, null otherwise.
extern SkinControl* gSkinObject;
// The picture box that ShowBanner adds to the main window to hold the banner browser.
extern forms::PictureBox* gBannerBox;
// Set by the main window's unload while the in-app browser is open: closing the browser then ends
// the program.
extern bool gEndOnWebsiteClose;

// Puts every value back to its state at process start, the tray object included.
void ResetUiGlobals();
