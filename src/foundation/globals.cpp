#include "foundation/globals.h"

std::string gProgramName;
std::string gCompanyName;
std::string gWebsite;
std::int16_t gProgramId = 0;
bool gUseSkin = false;
bool gUseSplashIcon = false;
bool gShowBanner = false;
std::string gBannerURL;
std::string gRegRootName;
std::int32_t gCookieDefCount = 0;
std::int32_t gExeDefCount = 0;
std::int32_t gRegistryDefCount = 0;
std::int32_t gFileDefCount = 0;
std::int32_t gDefinitionsTotal = 0;
std::string gExclusionList;
std::vector<std::string> gSafeList;

void ResetFoundationGlobals() {
    gProgramName.clear();
    gCompanyName.clear();
    gWebsite.clear();
    gProgramId = 0;
    gUseSkin = false;
    gUseSplashIcon = false;
    gShowBanner = false;
    gBannerURL.clear();
    gRegRootName.clear();
    gCookieDefCount = 0;
    gExeDefCount = 0;
    gRegistryDefCount = 0;
    gFileDefCount = 0;
    gDefinitionsTotal = 0;
    gExclusionList.clear();
    gSafeList.clear();
}
