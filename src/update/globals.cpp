#include "update/globals.h"

std::string gDefinitionsBaseURL;
bool gLiveUpdateCancelled = false;

void ResetUpdateGlobals() {
    gDefinitionsBaseURL.clear();
    gLiveUpdateCancelled = false;
}
