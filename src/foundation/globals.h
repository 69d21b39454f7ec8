#pragma once

#include <cstdint>
#include <string>

// The foundation's program-wide values, in one place so that tests can reset them.

// White-label identity, set once by InitBrandSettings (brand.h).
extern std::string gProgramName;
extern std::string gCompanyName;
extern std::string gWebsite;
extern std::int16_t gProgramId;
extern bool gUseSkin;
extern bool gUseSplashIcon;
extern bool gShowBanner;
extern std::string gBannerURL;

// Puts every value back to its state at process start.
void ResetFoundationGlobals();
