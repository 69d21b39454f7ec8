#pragma once

#include <memory>
#include <string>

#include "server/definitions_server_process.h"
#include "support/forms_fixture.h"
#include "support/scoped_environment.h"
#include "support/temporary_program_folder.h"
#include "ui/frm_main.h"

// Tests of the live update and the submission: an empty program folder, the test definitions
// server standing in for the maker's, the built-in messages, and an identity whose names hold
// blanks. The main window is loaded without its start-up, which these tests do not need.
class UpdateTest : public FormsTest {
  protected:
    UpdateTest();
    ~UpdateTest() override;

    FrmMainForm& Main();

    // The definition files as they are in the program folder, decoded.
    std::vector<std::string> Definitions(std::string_view fileName) const;

    test_support::TemporaryProgramFolder program;
    DefinitionsServerProcess server;

  private:
    test_support::ScopedEnvironmentVariable serverVariable_;
};
