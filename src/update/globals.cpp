#include "update/globals.h"

std::string gDefinitionsBaseURL;

void ResetUpdateGlobals() {
    gDefinitionsBaseURL.clear();
}
