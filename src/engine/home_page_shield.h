#pragma once

#include <string>
#include <string_view>

// The home-page shield: the browser's start page compared with the protected page at every tick
// of the main window's tmrCheckHomePage, and the two answers to a change.

// The alert's question: the protected page (Yes keeps it) and the new one (No takes it).
std::string HomePageChangedText(std::string_view programName, std::string_view savedPage,
                                std::string_view currentPage);

// Stores gSavedHomePage as the protected page and writes it back as the start page. The
// registry's result of the write: ERROR_SUCCESS when the start page was restored.
long RestoreHomePage();

// RestoreHomePage, and when that fails the user is told why, once: until the start page changes
// again the shield then leaves it alone, neither asking nor trying again at every tick.
void RestoreHomePageOrTell();

// Stores gCurrentHomePage as the protected page.
void KeepNewHomePage();
