#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "support/forms_fixture.h"
#include "support/temporary_prefix.h"
#include "support/temporary_program_folder.h"
#include "ui/frm_main.h"

// A machine and a program folder of their own for each scan test, the program's identity and
// message table in place, and the main window loaded without its start-up.
class ScanTest : public FormsTest {
  protected:
    ScanTest();
    ~ScanTest() override;

    FrmMainForm& Main() { return main_; }

    // Writes a definition file of the program folder, each line encoded as the server sends it.
    void WriteDefinitions(std::string_view fileName, const std::vector<std::string>& lines) const;
    // Writes the five definition files a scan needs, empty where no lines are given.
    void WriteEveryDefinitionFile() const;
    // The texts of a list's rows, from the first.
    static std::vector<std::string> RowTexts(const forms::ListView& list);

    test_support::TemporaryMachine machine;
    test_support::TemporaryProgramFolder program;

  private:
    FrmMainForm& main_;
};
