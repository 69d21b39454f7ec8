// The report window: the scan report read into its text box.
#include "engine/scan_report.h"
#include "forms/host.h"
#include "foundation/file_queries.h"
#include "foundation/globals.h"
#include "foundation/program_folder.h"
#include "platform/machine.h"
#include "ui/frm_report.h"
#include "ui/skin.h"

namespace {

bool IsBlankLine(const std::string& line) {
    return line.find_first_not_of(' ') == std::string::npos;
}

}  // namespace

// The report's empty lines become the box's line ends, so each text line shows on a line of its
// own, and lines that follow each other directly (the exclusions) run together.
void FrmReportForm::Form_Load() {
    const std::string report = ProgramFolderFile(kScanReportFileName);
    std::vector<std::string> lines;
    if (FileExists(report)) {
        platform::CurrentMachine().files().ReadTextLines(report, &lines);
    }
    std::string text;
    for (const std::string& line : lines) {
        text += IsBlankLine(line) ? "\r\n" : line;
        forms::DoEvents();
    }
    txtReport.SetText(text);
    SetCaption(gProgramName + " Log");
    if (gUseSkin) {
        ApplySkin(*this);  // the window has no plain labels to copy into skin labels first
    }
}

void FrmReportForm::cmdOk_Click() {
    Unload();
}
