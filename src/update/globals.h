#pragma once

#include <string>

// The live update's program-wide values, in one place so that tests can reset them.

// The product website's base address for whole definition files ("http://www.example.com"), set
// when the update button is pressed with Shift.
extern std::string gDefinitionsBaseURL;

// Puts every value back to its state at process start.
void ResetUpdateGlobals();
