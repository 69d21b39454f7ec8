#pragma once

#include <memory>
#include <string>

#include "localization/cls_languages.h"

// The localization's program-wide values, in one place so that tests can reset them.

// The one message table and translator; the main window's start-up creates it.
extern std::unique_ptr<clsLanguages> gLanguages;
// The language most recently asked of the language loader.
extern std::string gCurrentLanguage;

// Puts every value back to its state at process start (no gLanguages yet).
void ResetLocalizationGlobals();
