#pragma once

#include "qt_fixture.h"
#include "support/scoped_environment.h"
#include "support/temporary_folder.h"
#include "ui/frm_main.h"

// The program's main window on the Qt host, loaded without its start-up and shown, with per-user
// settings of its own; the program-wide values start as in a new process.
class QtMainWindowTest : public QtHostTest {
  protected:
    QtMainWindowTest();
    ~QtMainWindowTest() override;

    test_support::TemporaryFolder config{"tollenwark-config"};
    test_support::ScopedEnvironmentVariable configVariable{"XDG_CONFIG_HOME",
                                                           config.path().string()};
    FrmMainForm* main = nullptr;
};
