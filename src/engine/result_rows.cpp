#include "engine/result_rows.h"

#include "engine/globals.h"
#include "forms/errors.h"
#include "forms/labels.h"
#include "forms/list_view.h"
#include "ui/frm_main.h"

namespace {

// Column n of a row; a list without that column keeps the row without the text.
void SetColumn(forms::ListItem& row, int n, const std::string& text) {
    try {
        row.SetSubItem(n, text);
    } catch (const forms::IndexOutOfRange&) {
    }
}

// The traces label counts on from whatever number it shows; a caption that is not a number stays.
void CountTrace(forms::Label& tracesFound) {
    try {
        const double shown = tracesFound.CaptionAsNumber();
        tracesFound.SetCaption(std::to_string(static_cast<long long>(shown) + 1));
    } catch (const forms::InvalidPropertyValue&) {
    }
}

int IconOf(ResultKind kind) {
    return static_cast<int>(kind);
}

}  // namespace

ResultLists ResultListsOf(FrmMainForm& window) {
    return {window.lvwSpywareFound,     window.lvwPicRemoveListOfSpywareFoundAndToBeRemoved,
            window.lvwFilesToBeDeleted, window.lvwRegistryToBeDeleted,
            window.lvwCookiesToDelete,  window.lbltracesFound};
}

void AddFoundLine(ResultLists& lists, const std::string& text, std::optional<ResultKind> icon) {
    lists.scanLog.ListItems.Add(text, icon ? IconOf(*icon) : 0);
}

bool IsThreatListed(const ResultLists& lists, std::string_view threatName) {
    std::string line(threatName);
    line += kFoundSuffix;
    return lists.scanLog.FindItem(line) != nullptr;
}

void AddThreatRow(ResultLists& lists, const ThreatRow& row) {
    forms::ListItem& added = lists.threats.ListItems.Add(row.text, IconOf(row.kind));
    SetColumn(added, 1, row.location);
    if (!row.type.empty()) {
        SetColumn(added, 2, row.type);
    }
    CountOne(gSoftwareFound);
}

bool ReportThreat(ResultLists& lists, const ThreatRow& row) {
    if (IsThreatListed(lists, row.text)) {
        return false;
    }
    AddFoundLine(lists, row.text + std::string(kFoundSuffix), row.kind);
    AddThreatRow(lists, row);
    return true;
}

void AddFileTrace(ResultLists& lists, const std::string& path, const std::string& threatName) {
    forms::ListItem& added = lists.fileTraces.ListItems.Add(path);
    SetColumn(added, 1, threatName);
    CountTrace(lists.tracesFound);
}

void AddRegistryTrace(ResultLists& lists, const RegistryTraceRow& row) {
    forms::ListItem& added = lists.registryTraces.ListItems.Add(std::to_string(row.rootHandle));
    SetColumn(added, 1, row.keyPath);
    SetColumn(added, 2, row.valueName);
    SetColumn(added, 3, row.threatName);
    CountTrace(lists.tracesFound);
}

void AddCookieTrace(ResultLists& lists, const std::string& cookieFilePath) {
    lists.cookieTraces.ListItems.Add(cookieFilePath);
}

void AddExcludedLine(ResultLists& lists, const std::string& item) {
    AddFoundLine(lists, std::string(kExcludedPrefix) + item, ResultKind::Excluded);
}
