#pragma once

#include <string>

// The live update's program-wide values, in one place so that tests can reset them.

// The product website's base address for whole definition files ("http://www.example.com"), set
// when the update button is pressed with Shift.
extern std::string gDefinitionsBaseURL;

// Set by the download window's Cancel while a live update runs: its requests end at once and it
// changes nothing. Cleared when an update starts.
extern bool gLiveUpdateCancelled;

// Puts every value back to its state at process start.
void ResetUpdateGlobals();
