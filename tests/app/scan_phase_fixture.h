#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/globals.h"
#include "forms/list_view.h"
#include "foundation/globals.h"
#include "support/forms_fixture.h"
#include "support/temporary_prefix.h"
#include "support/temporary_program_folder.h"
#include "ui/frm_main.h"

// A scan phase's surroundings: a temporary prefix as the machine, an empty program folder, a main
// window (built, not loaded, so no start-up runs) whose scan command is disabled as during a scan,
// and fresh scan state.
class ScanPhaseTest : public FormsTest {
  protected:
    ScanPhaseTest();
    ~ScanPhaseTest() override;

    // Writes a file of the program folder as the definitions server delivers it: each line encoded.
    void WriteDefinitionFile(std::string_view fileName, const std::vector<std::string>& lines);
    // Writes ENoSignature.txt and loads it.
    void Exclude(const std::vector<std::string>& items);

    // Each row as its text, small icon and further columns.
    static std::vector<std::vector<std::string>> Rows(const forms::ListView& list);

    test_support::TemporaryMachine machine;
    test_support::TemporaryProgramFolder programFolder;
    FrmMainForm window;
};
