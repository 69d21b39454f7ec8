#pragma once

#include "ui/frm_main.h"

namespace test_support {

// Loads the main window as FrmMain()'s default instance without running its start-up, so that a
// test of one procedure meets no language chooser, update offer or help; the test sets up what
// the procedure needs itself. The window is unloaded with the others at the end of a FormsTest.
FrmMainForm& LoadMainWindowWithoutStartUp();

// Puts every program-wide value back to its start, as a new process has it.
void ResetProgramGlobals();

}  // namespace test_support
