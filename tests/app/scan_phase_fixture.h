#pragma once

#include <string>
#include <vector>

#include "forms/list_view.h"
#include "scan_fixture.h"

// A scan phase met in the middle of a scan: the main window's scan command disabled and its
// traces label at "0", as the driver leaves them before the phases.
class ScanPhaseTest : public ScanTest {
  protected:
    ScanPhaseTest();

    // Writes ENoSignature.txt and loads it.
    void Exclude(const std::vector<std::string>& items);

    // Each row as its text, small icon and further columns.
    static std::vector<std::vector<std::string>> Rows(const forms::ListView& list);
};
