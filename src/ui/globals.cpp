#include "ui/globals.h"

#include "ui/tray.h"

SkinControl* gSkinObject = nullptr;
forms::PictureBox* gBannerBox = nullptr;
bool gEndOnWebsiteClose = false;

void ResetUiGlobals() {
    gSkinObject = nullptr;
    gBannerBox = nullptr;
    gEndOnWebsiteClose = false;
    gTray = clsTray();
}
