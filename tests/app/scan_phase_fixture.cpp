#include "scan_phase_fixture.h"

#include "foundation/exclusion_list.h"
#include "foundation/line_codec.h"
#include "platform/text_encoding.h"

namespace {

std::string CrLfLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

}  // namespace

ScanPhaseTest::ScanPhaseTest() {
    ResetEngineGlobals();
    ResetFoundationGlobals();
    window.lbltracesFound.SetCaption("0");
    window.cmdScan.SetEnabled(false);
}

ScanPhaseTest::~ScanPhaseTest() {
    ResetEngineGlobals();
    ResetFoundationGlobals();
}

void ScanPhaseTest::WriteDefinitionFile(std::string_view fileName,
                                        const std::vector<std::string>& lines) {
    std::vector<std::string> encoded;
    for (const std::string& line : lines) {
        encoded.push_back(platform::Utf8ToWindows1252(EncodeLine(line)));
    }
    programFolder.WriteFile(fileName, CrLfLines(encoded));
}

void ScanPhaseTest::Exclude(const std::vector<std::string>& items) {
    programFolder.WriteFile(kExclusionFileName, CrLfLines(items));
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
