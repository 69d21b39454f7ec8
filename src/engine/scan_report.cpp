// The scan report written after a scan.
#include "engine/scan_report.h"

#include "engine/quarantine_log.h"
#include "foundation/exclusion_list.h"
#include "foundation/file_queries.h"
#include "foundation/globals.h"
#include "foundation/program_folder.h"
#include "platform/machine.h"
#include "platform/version_block.h"
#include "ui/frm_main.h"

namespace {

const std::string kDashes(23, '-');

class ReportWriter {
  public:
    void Line(std::string text = "") { lines_.push_back(std::move(text)); }
    void Empty(int count) { lines_.insert(lines_.end(), count, ""); }
    std::vector<std::string> Take() { return std::move(lines_); }

  private:
    std::vector<std::string> lines_;
};

void WriteHeader(ReportWriter& out, const ScanReportData& data) {
    out.Empty(2);
    out.Line(std::string(19, ' ') + data.programName + "v" + std::to_string(data.majorVersion) +
             "." + std::to_string(data.minorVersion) + "   Scan Report.");
    out.Empty(3);
    out.Line(kDashes);
    out.Empty(1);
    out.Line(" Scan Started at  : " + data.startedAt);
    out.Empty(1);
    out.Line(" Scan Finished at : " + data.finishedAt);
    out.Empty(1);
    out.Line(kDashes);
    out.Empty(7);
    out.Line(" 1)Total Number of Cookies and Processes inspected: " + data.memoryInspected);
    out.Empty(1);
    out.Line(" 2)Total Number of Registry entries inspected: " + data.registryInspected);
    out.Empty(1);
    out.Line(" 3)Total Number of Files/Folders inspected: " + data.filesFoldersInspected);
    out.Empty(3);
}

void WriteThreats(ReportWriter& out, const std::vector<ThreatLine>& threats) {
    out.Line("[Threats Detected]");
    out.Empty(2);
    for (const ThreatLine& threat : threats) {
        out.Line(threat.name);
        out.Empty(1);
        out.Line(threat.location);
        out.Empty(2);
    }
    out.Line("Total = " + std::to_string(threats.size()));
    out.Empty(1);
}

// Lines that are empty or a single blank are no exclusions.
void WriteExclusions(ReportWriter& out, const std::vector<std::string>& fileLines) {
    std::vector<std::string> entries;
    for (const std::string& line : fileLines) {
        if (!line.empty() && line != " ") {
            entries.push_back(line);
        }
    }
    if (entries.empty()) {
        return;
    }
    out.Empty(1);
    out.Line("[Files Currently Excluded]");
    out.Empty(1);
    for (std::string& entry : entries) {
        out.Line(std::move(entry));
    }
    out.Empty(2);
}

void WriteQuarantineLog(ReportWriter& out, const std::vector<std::string>& logLines) {
    if (logLines.empty()) {
        return;
    }
    out.Empty(1);
    out.Line("[Current Quarantine Log]");
    out.Empty(1);
    for (const std::string& line : logLines) {
        out.Line(line);
        out.Empty(1);
    }
    out.Empty(4);
}

// The lines of a text file; none when a directory search does not find it.
std::vector<std::string> LinesOfFile(const std::string& path) {
    std::vector<std::string> lines;
    if (FileExists(path)) {
        platform::CurrentMachine().files().ReadTextLines(path, &lines);
    }
    return lines;
}

std::string SubItemText(const forms::ListItem& row, int column) {
    try {
        return row.SubItems(column);
    } catch (const std::exception&) {
        return "";
    }
}

std::vector<ThreatLine> ThreatsOf(const forms::ListView& list) {
    std::vector<ThreatLine> threats;
    for (int i = 1; i <= list.ListItems.Count(); ++i) {
        const forms::ListItem& row = list.ListItems(i);
        threats.push_back({row.Text(), SubItemText(row, 1)});
    }
    return threats;
}

}  // namespace

std::vector<std::string> ScanReportLines(const ScanReportData& data) {
    ReportWriter out;
    WriteHeader(out, data);
    WriteThreats(out, data.threats);
    WriteExclusions(out, data.exclusionFileLines);
    WriteQuarantineLog(out, data.quarantineLogLines);
    out.Empty(2);
    out.Line("=====================End Of Report.");
    return out.Take();
}

// The report replaces the previous one in one step, so a report that cannot be written leaves the
// last one whole rather than appending to it.
void FrmMainForm::MakeReport() {
    const platform::VersionBlock& version = platform::ProgramVersionBlock();
    ScanReportData data;
    data.programName = gProgramName;
    data.majorVersion = version.major;
    data.minorVersion = version.minor;
    data.startedAt = ScanStartedAt;
    data.finishedAt = ScanFinishedAt;
    data.memoryInspected = lblMemoryInspected.Caption();
    data.registryInspected = lblRegistryInspected.Caption();
    data.filesFoldersInspected = lblFilesFolderInspected.Caption();
    data.threats = ThreatsOf(lvwPicRemoveListOfSpywareFoundAndToBeRemoved);
    data.exclusionFileLines = LinesOfFile(ExclusionFilePath());
    data.quarantineLogLines = LinesOfFile(QuarantineLogPath());
    platform::CurrentMachine().files().ReplaceTextLines(ProgramFolderFile(kScanReportFileName),
                                                        ScanReportLines(data));
}
