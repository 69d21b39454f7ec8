// The removal worker: one run over the ticked file, registry and cookie rows.
#include <algorithm>
#include <optional>

#include "engine/globals.h"
#include "engine/quarantine.h"
#include "engine/registry_removal.h"
#include "engine/removal_text.h"
#include "engine/threat_ties.h"
#include "forms/host.h"
#include "foundation/file_queries.h"
#include "foundation/path_text.h"
#include "foundation/registry_access.h"
#include "localization/globals.h"
#include "platform/text_case.h"
#include "ui/frm_delete.h"
#include "ui/frm_main.h"

namespace {

// What a registry trace row names, read as the removal reads it: all three fields trimmed.
struct RegistryTarget {
    platform::RegRoot root = 0;
    std::string keyPath;
    std::string valueName;
};

std::optional<RegistryTarget> RegistryTargetOf(const forms::ListItem& row) {
    const std::string_view rootText = TrimBlanks(row.Text());
    RegistryTarget target{0, std::string(TrimBlanks(row.SubItems(1))),
                          std::string(TrimBlanks(row.SubItems(2)))};
    if (rootText.empty() || target.keyPath.empty()) {
        return std::nullopt;
    }
    try {
        target.root = static_cast<platform::RegRoot>(std::stol(std::string(rootText)));
    } catch (const std::exception&) {
        return std::nullopt;
    }
    return target;
}

bool StillPresent(const RegistryTarget& target) {
    return target.valueName.empty()
               ? RegistryKeyPresent(target.root, target.keyPath)
               : RegistryValuePresent(target.root, target.keyPath, target.valueName);
}

// What a file row names is still there: a file (a hidden one is not seen) or a folder.
bool IsStillThere(const std::string& path) {
    return FileExists(path) || FolderExists(path);
}

void RemoveFile(const std::string& path, std::int32_t windowHandle) {
    const std::string extension = platform::ToUpperText(GetFileExtension(path));
    if (extension == "DLL" || extension == "OCX") {
        RegisterServer(windowHandle, path, false);
        QuarantineLibrary(path, windowHandle);
    } else if (extension == "EXE") {
        StopAndQuarantineFile(path);
    } else {
        QuarantinePath(path);
    }
}

void RemoveRegistryEntry(const RegistryTarget& target) {
    if (target.valueName.empty()) {
        RegDeleteLoggedValue(target.root, target.keyPath, "");
        RegDeleteKeyTree(target.root, target.keyPath);
    } else {
        RegDeleteLoggedValue(target.root, target.keyPath, target.valueName);
    }
}

// A leftover keeps its row and the first threat row of its threat, unticked, so that the pruning
// leaves both in the lists; its location is listed in the "Delete Failed" window.
void KeepLeftover(forms::ListView& threats, forms::ListItem& row,
                  const std::vector<std::string>& threatTexts, const std::string& location) {
    frmDelete().lstProblem.ListItems.Add(location);
    for (int i = 1; i <= threats.ListItems.Count(); ++i) {
        forms::ListItem& threat = threats.ListItems(i);
        if (std::any_of(threatTexts.begin(), threatTexts.end(), [&](const std::string& name) {
                return IsSameThreatName(threat.Text(), name);
            })) {
            threat.SetChecked(false);
            break;
        }
    }
    row.SetChecked(false);
}

void ShowProgress(FrmMainForm& window, double barValue, int item, int count,
                  const std::string& caption) {
    window.pgbDeleteSpywaresFound.SetValue(barValue);
    window.lblDeletingPercentageCompleted.SetCaption(RemovingProgressText(item, count));
    window.lblDeletingCaption.SetCaption(platform::ToLowerText(caption));
}

// Rows are looked up again after every yield: a handler that ran meanwhile may have changed the
// list. The row count is the one taken when the pass began.
void RemoveFileRows(FrmMainForm& window, bool checking) {
    auto& list = window.lvwFilesToBeDeleted;
    const int count = list.ListItems.Count();
    for (int i = 1; i <= count; ++i) {
        if (!list.ListItems(i).Checked()) {
            continue;
        }
        const std::string path = list.ListItems(i).Text();
        ShowProgress(window, i, i, count, path);
        RemoveFile(path, window.Hwnd());
        forms::DoEvents();
        if (!checking || !IsStillThere(path)) {
            continue;
        }
        if (platform::ToLowerText(path).find(".exe") != std::string::npos) {
            StopAndQuarantineFile(path);
        }
        if (IsStillThere(path)) {
            forms::ListItem& row = list.ListItems(i);
            KeepLeftover(window.lvwPicRemoveListOfSpywareFoundAndToBeRemoved, row,
                         {row.SubItems(1)}, path);
        }
    }
}

void RemoveRegistryRows(FrmMainForm& window, bool checking) {
    auto& list = window.lvwRegistryToBeDeleted;
    const int fileRows = window.lvwFilesToBeDeleted.ListItems.Count();
    const int count = list.ListItems.Count();
    for (int i = 1; i <= count; ++i) {
        const forms::ListItem& row = list.ListItems(i);
        if (!row.Checked()) {
            continue;
        }
        ShowProgress(window, fileRows + i, i, count, row.SubItems(1) + "\\" + row.SubItems(2));
        const auto target = RegistryTargetOf(row);
        if (target) {
            RemoveRegistryEntry(*target);
        }
        forms::DoEvents();
        if (checking && target && StillPresent(*target)) {
            forms::ListItem& kept = list.ListItems(i);
            KeepLeftover(window.lvwPicRemoveListOfSpywareFoundAndToBeRemoved, kept,
                         {kept.SubItems(3), kept.SubItems(1)},
                         RegistryEntryLocation(target->root, target->keyPath, target->valueName));
        }
    }
}

void RemoveCookieRows(FrmMainForm& window) {
    auto& list = window.lvwCookiesToDelete;
    const int count = list.ListItems.Count();
    for (int i = 1; i <= count; ++i) {
        if (!list.ListItems(i).Checked()) {
            continue;
        }
        const std::string path = list.ListItems(i).Text();
        window.lblDeletingPercentageCompleted.SetCaption(RemovingProgressText(i, count));
        window.lblDeletingCaption.SetCaption(platform::ToLowerText(path));
        if (FileExists(path)) {
            QuarantineAndKillFile(path);
        }
        forms::DoEvents();
    }
}

void StartProgress(FrmMainForm& window) {
    const int rows = window.lvwFilesToBeDeleted.ListItems.Count() +
                     window.lvwRegistryToBeDeleted.ListItems.Count();
    window.lblDeletingPercentageCompleted.SetVisible(true);
    window.pgbDeleteSpywaresFound.SetVisible(true);
    window.lblDeletingPercentageCompleted.SetCaption(gLanguages->getMessages("MSG_REMOVING"));
    window.pgbDeleteSpywaresFound.SetValue(0);
    if (rows > 0) {
        window.pgbDeleteSpywaresFound.SetMax(rows);
    }
}

}  // namespace

// The logging run (gLogRemovals set) removes; the checking run removes again and keeps, listed in
// the "Delete Failed" window, whatever is still there: files, folders and registry entries.
void FrmMainForm::RemoveCheckedItems() {
    const bool checking = !gLogRemovals;
    const int problemsBefore = frmDelete().lstProblem.ListItems.Count();
    if (lvwPicRemoveListOfSpywareFoundAndToBeRemoved.ListItems.Count() > 0) {
        StartProgress(*this);
    }
    RemoveFileRows(*this, checking);
    RemoveRegistryRows(*this, checking);
    RemoveCookieRows(*this);
    if (frmDelete().lstProblem.ListItems.Count() > problemsBefore) {
        frmDelete().Show();
    }
}
