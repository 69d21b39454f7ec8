#pragma once

#include <string_view>

#include "engine/globals.h"  // gAlertAnswered, which the answers set
#include "engine/process_stopping.h"

// Shows the spyware alert for a running program and returns once the user answered (or the
// program itself closed the window, as at shutdown), the event loop running meanwhile. The alert
// names the program in upper case and its company, or says that it has none.
void RaiseSpywareAlert(std::string_view name, std::string_view company,
                       const RunningProgram& program);

// The information box saying that a program could not be stopped.
void TellCouldNotBeStopped(std::string_view name);
