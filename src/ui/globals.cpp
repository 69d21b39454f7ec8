#include "ui/globals.h"

SkinControl* gSkinObject = nullptr;
forms::PictureBox* gBannerBox = nullptr;

void ResetUiGlobals() {
    gSkinObject = nullptr;
    gBannerBox = nullptr;
}
