#include "localization/globals.h"

std::unique_ptr<clsLanguages> gLanguages;
std::string gCurrentLanguage;

void ResetLocalizationGlobals() {
    gLanguages.reset();
    gCurrentLanguage.clear();
}
