#pragma once

#include "ui/frm_main.h"

namespace test_support {

// Loads the main window as FrmMain()'s default instance without running its start-up, so that a
// test of one procedure meets no language chooser, update offer or help; the test sets up what
// the procedure needs itself. The window is unloaded with the others at the end of a FormsTest.
FrmMainForm& LoadMainWindowWithoutStartUp();

}  // namespace test_support
