#pragma once

#include <string>

#include "support/forms_fixture.h"
#include "support/scoped_environment.h"
#include "support/temporary_folder.h"
#include "support/temporary_program_folder.h"
#include "ui/frm_main.h"

// The main window loaded without its start-up and shown in its normal state, with a program
// folder and a settings file of its own; the program-wide values start as in a new process.
class MainWindowTest : public FormsTest {
  protected:
    MainWindowTest();
    ~MainWindowTest() override;

    std::string UserSetting(const std::string& section, const std::string& key);
    void SaveUserSetting(const std::string& section, const std::string& key,
                         const std::string& value);
    // Runs the action and expects the program to end inside it.
    void ExpectProgramEnd(const std::function<void()>& action);

    test_support::TemporaryProgramFolder program;
    test_support::TemporaryFolder config{"tollenwark-config"};
    test_support::ScopedEnvironmentVariable configVariable{"XDG_CONFIG_HOME",
                                                           config.path().string()};
    FrmMainForm* window = nullptr;
};
