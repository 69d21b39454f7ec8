#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace forms {
class Label;
class ListView;
}  // namespace forms
class FrmMainForm;

// The results of a scan are rows in the main window's lists; selection, exclusion, removal and the
// report read them back. A threat row and its trace rows are tied by text (the threat name, or a
// path for cookies and folders), never by a key, so every phase writes them through this file.
//
// How a phase reports what it meets (lists = ResultListsOf(window)):
//
//   - an entry on the safe list:    nothing at all;
//   - an entry the user excluded:   AddExcludedLine(lists, item), and nothing else;
//   - a hit:                        first its trace row (AddFileTrace, AddRegistryTrace or
//                                   AddCookieTrace), then ReportThreat(lists, {...}), which adds
//                                   the "<threat> - Found" line and the threat row only the first
//                                   time the scan meets that threat name (letter case ignored)
//                                   and counts it in gSoftwareFound.
//
// Lines of their own ("Cookie Found: ...", "RegKey ... - Found", "Detected in the memory : ...")
// go through AddFoundLine; a threat row that is always new (a cookie, an unnamed registry key)
// through AddThreatRow. Rows start unticked; a list too narrow for a column just lacks its text.

// The small icon of a row, and the kind of a threat row.
enum class ResultKind : int { Cookie = 1, Registry = 2, File = 3, Folder = 4, Excluded = 5 };

inline constexpr std::string_view kFoundSuffix = " - Found";
inline constexpr std::string_view kExcludedPrefix = "EXCLUDED: ";

// The lists and the label a scan writes.
struct ResultLists {
    forms::ListView& scanLog;         // lvwSpywareFound: one line per event, in scan order
    forms::ListView& threats;         // lvwPicRemoveListOfSpywareFoundAndToBeRemoved
    forms::ListView& fileTraces;      // lvwFilesToBeDeleted: files and folders
    forms::ListView& registryTraces;  // lvwRegistryToBeDeleted
    forms::ListView& cookieTraces;    // lvwCookiesToDelete
    forms::Label& tracesFound;        // lbltracesFound: file, folder and registry traces
};

// The main window's result lists.
ResultLists ResultListsOf(FrmMainForm& window);

// One row of the threat list.
struct ThreatRow {
    std::string text;      // the threat name ("Cookie: " + name for a cookie)
    ResultKind kind;       // Cookie to Folder
    std::string location;  // where the first trace was found
    std::string type;      // the record's extra field or description; "" for none
};

// One row of the registry trace list.
struct RegistryTraceRow {
    std::int32_t rootHandle;  // the root's predefined handle value (HKEY_CURRENT_USER -2147483647)
    std::string keyPath;      // below the root
    std::string valueName;    // "" for the whole key
    std::string threatName;
};

// Adds a line to the scan log, with a small icon or none.
void AddFoundLine(ResultLists& lists, const std::string& text,
                  std::optional<ResultKind> icon = std::nullopt);

// Whether the scan log holds a line that begins with threatName + " - Found", letter case ignored.
bool IsThreatListed(const ResultLists& lists, std::string_view threatName);

// Adds the threat row and counts it in gSoftwareFound.
void AddThreatRow(ResultLists& lists, const ThreatRow& row);

// The first time the scan meets row.text as a threat: its "- Found" line (with the row's icon),
// then its threat row, counted. True when it was new; false (and nothing added) when listed.
bool ReportThreat(ResultLists& lists, const ThreatRow& row);

// Trace rows; the file and registry ones add 1 to the traces label.
void AddFileTrace(ResultLists& lists, const std::string& path, const std::string& threatName);
void AddRegistryTrace(ResultLists& lists, const RegistryTraceRow& row);
void AddCookieTrace(ResultLists& lists, const std::string& cookieFilePath);

// "EXCLUDED: " + item with the excluded icon: all that an excluded entry leaves.
void AddExcludedLine(ResultLists& lists, const std::string& item);
