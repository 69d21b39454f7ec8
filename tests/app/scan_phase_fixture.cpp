#include "scan_phase_fixture.h"

#include "foundation/exclusion_list.h"

ScanPhaseTest::ScanPhaseTest() {
    Main().lbltracesFound.SetCaption("0");
    Main().cmdScan.SetEnabled(false);
}

void ScanPhaseTest::Exclude(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) {
        text += item + "\r\n";
    }
    program.WriteFile(std::string(kExclusionFileName), text);
    LoadExclusions();
}

std::vector<std::vector<std::string>> ScanPhaseTest::Rows(const forms::ListView& list) {
    std::vector<std::vector<std::string>> rows;
    for (int index = 1; index <= list.ListItems.Count(); ++index) {
        const forms::ListItem& row = list.ListItems(index);
        std::vector<std::string> cells{row.Text(), std::to_string(row.SmallIcon())};
        for (int n = 1; n < list.ColumnHeaders.Count(); ++n) {
            cells.push_back(row.SubItems(n));
        }
        rows.push_back(cells);
    }
    return rows;
}
