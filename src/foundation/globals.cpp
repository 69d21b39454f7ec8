#include "foundation/globals.h"

std::string gProgramName;
std::string gCompanyName;
std::string gWebsite;
std::int16_t gProgramId = 0;
bool gUseSkin = false;
bool gUseSplashIcon = false;
bool gShowBanner = false;
std::string gBannerURL;

void ResetFoundationGlobals() {
    gProgramName.clear();
    gCompanyName.clear();
    gWebsite.clear();
    gProgramId = 0;
    gUseSkin = false;
    gUseSplashIcon = false;
    gShowBanner = false;
    gBannerURL.clear();
}
