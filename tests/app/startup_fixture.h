#pragma once

#include <string>

#include "support/forms_fixture.h"
#include "support/scoped_environment.h"
#include "support/temporary_folder.h"
#include "support/temporary_prefix.h"
#include "support/temporary_program_folder.h"

// A machine, a program folder and a settings file of their own for each test, and the program
// started as the user starts it: the splash first, the main window on its timer.
class StartupTest : public FormsTest {
  protected:
    StartupTest();
    ~StartupTest() override;

    // The splash, then the clock moved past the tick that opens the main window.
    void StartProgram();
    // Every window gone and the program-wide values back to their start, as a new process has them.
    void EndProgram();
    // The user has chosen a language and the machine has been offered its first update.
    void MarkAsUsedBefore();

    std::string UserSetting(const std::string& section, const std::string& key);
    std::string MachineSetting(const std::string& key);

    test_support::TemporaryProgramFolder program;
    test_support::TemporaryFolder config{"tollenwark-config"};
    test_support::ScopedEnvironmentVariable configVariable{"XDG_CONFIG_HOME",
                                                           config.path().string()};
    test_support::TemporaryMachine machine;
};

// Every program-wide value back to its state at process start.
void ResetProgramGlobals();
