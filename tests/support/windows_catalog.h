#pragma once

#include <memory>
#include <vector>

#include "forms/form.h"

// Every window of the program, made with its design values only: constructed, not loaded, so no
// window's load runs and the design is seen as it stands.
std::vector<std::unique_ptr<forms::Form>> DesignedWindows();

// Loads every window through its default-instance function, in a fixed order; the loaded windows.
std::vector<forms::Form*> LoadEveryWindow();
