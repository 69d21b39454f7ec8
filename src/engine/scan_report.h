#pragma once

#include <string>
#include <vector>

// Scan_Log.txt in the program folder: what the last scan inspected and found, the user's
// exclusions and the whole quarantine log, rewritten by FrmMain.MakeReport after a scan when
// logging is ticked and shown by the report window.

inline constexpr const char* kScanReportFileName = "Scan_Log.txt";

struct ThreatLine {
    std::string name;
    std::string location;
};

struct ScanReportData {
    std::string programName;
    int majorVersion = 0;
    int minorVersion = 0;
    std::string startedAt;
    std::string finishedAt;
    // The counter labels' texts, as shown.
    std::string memoryInspected;
    std::string registryInspected;
    std::string filesFoldersInspected;
    std::vector<ThreatLine> threats;
    // The lines of ENoSignature.txt and of QuarantineLog.txt as read; none when a file is missing.
    std::vector<std::string> exclusionFileLines;
    std::vector<std::string> quarantineLogLines;
};

// The report's lines, each to be followed by CR LF.
std::vector<std::string> ScanReportLines(const ScanReportData& data);
