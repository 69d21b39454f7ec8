#include "ui/globals.h"

SkinControl* gSkinObject = nullptr;
forms::PictureBox* gBannerBox = nullptr;
bool gEndOnWebsiteClose = false;

void ResetUiGlobals() {
    gSkinObject = nullptr;
    gBannerBox = nullptr;
    gEndOnWebsiteClose = false;
}
