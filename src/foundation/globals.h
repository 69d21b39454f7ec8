#pragma once

#include <cstdint>
#include <string>
#include <vector>

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

// The name of the registry root that RegRootFromCode converted last ("" after a code it refused).
extern std::string gRegRootName;

// Definition counts, written only by CountDefinitions (definition_files.h); gFileDefCount counts
// the file and the folder definitions together. gDefinitionsTotal is their sum as the callers keep
// it.
extern std::int32_t gCookieDefCount;
extern std::int32_t gExeDefCount;
extern std::int32_t gRegistryDefCount;
extern std::int32_t gFileDefCount;
extern std::int32_t gDefinitionsTotal;

// The user's exclusions: every non-blank line of ENoSignature.txt followed by "|" (LoadExclusions).
extern std::string gExclusionList;
// The safe-list entries of Safety.dat, in file order (LoadSafetyList).
extern std::vector<std::string> gSafeList;

// Puts every value back to its state at process start.
void ResetFoundationGlobals();
