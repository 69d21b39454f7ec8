#pragma once

#include <filesystem>
#include <string>

#include "support/forms_fixture.h"
#include "support/scoped_environment.h"
#include "support/temporary_folder.h"
#include "support/temporary_prefix.h"
#include "support/temporary_program_folder.h"
#include "ui/frm_main.h"

// Tests of the main window's menus and the windows they open: a program folder, a settings file
// and a machine of their own, the built-in messages and a known identity. The main window is
// loaded without its start-up.
class MenusTest : public FormsTest {
  protected:
    MenusTest();
    ~MenusTest() override;

    FrmMainForm& Main();

    // A file of the program folder as the program names it ("Z:\tmp\...\Help.chm").
    std::string ProgramFile(const std::string& name) const;

    test_support::TemporaryProgramFolder program;
    test_support::TemporaryFolder config{"tollenwark-config"};
    test_support::ScopedEnvironmentVariable configVariable{"XDG_CONFIG_HOME",
                                                           config.path().string()};
    test_support::TemporaryMachine machine;
};
