// The removal worker: one run over the ticked file, registry and cookie rows.
#include <optional>
#include <vector>

#include "engine/globals.h"
#include "engine/quarantine.h"
#include "engine/registry_removal.h"
#include "engine/removal_guard.h"
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

bool StillPresent(const RegistryTarget& target) {
    return target.valueName.empty()
               ? RegistryKeyPresent(target.root, target.keyPath)
               : RegistryValuePresent(target.root, target.keyPath, target.valueName);
}

// What a file row names is still there: a file (a hidden one is not seen) or a folder.
bool IsStillThere(const std::string& path) {
    return FileExists(path) || FolderExists(path);
}

// Acts on the entry the guard held when it allowed the row.
void RemoveFile(const std::string& path, const RemovalCheck& check, std::int32_t windowHandle) {
    const std::string extension = platform::ToUpperText(GetFileExtension(path));
    if (extension == "DLL" || extension == "OCX") {
        RegisterServer(windowHandle, path, false);
        QuarantineLibrary(path, check, windowHandle);
    } else if (extension == "EXE") {
        StopAndQuarantineFile(path, check);
    } else {
        QuarantinePath(path, check);
    }
}

bool IsProtected(const RegistryTarget& target) {
    return IsProtectedRegistryEntry(target.root, target.keyPath, target.valueName);
}

void RemoveRegistryEntry(RegistryDeletions& deletions, const RegistryTarget& target) {
    if (target.valueName.empty()) {
        deletions.DeleteValue(target.root, target.keyPath, "");
        deletions.DeleteKeyTree(target.root, target.keyPath);
    } else {
        deletions.DeleteValue(target.root, target.keyPath, target.valueName);
    }
}

// The run's deletions are one change of the registry, made before the run yields: one write of
// each hive, or one run of Wine's registry tool while Wine's server holds the registry. The
// checking run tries again only what is left, and not after Wine's tool failed (that is told once,
// when the removal ends).
void DeleteTickedRegistryEntries(const forms::ListView& list, bool checking) {
    std::vector<RegistryTarget> targets;
    for (int i = 1; i <= list.ListItems.Count(); ++i) {
        const forms::ListItem& row = list.ListItems(i);
        const auto target = row.Checked() ? RegistryTargetOf(row) : std::nullopt;
        if (target && !IsProtected(*target) && (!checking || StillPresent(*target))) {
            targets.push_back(*target);
        }
    }
    if (targets.empty() || !MayDeleteRegistryEntries()) {
        return;
    }
    RegistryDeletions deletions;
    for (const RegistryTarget& target : targets) {
        RemoveRegistryEntry(deletions, target);
    }
    NoteRegistryDeletionsStored(deletions.Commit());
}

// Which threat row a trace row belongs to (threat_ties.h).
using TraceTie = bool (*)(const forms::ListItem& threat, const forms::ListItem& trace);

// A leftover keeps its row and the first threat row of its threat, unticked, so that the pruning
// leaves both in the lists; its location is listed in the "Delete Failed" window.
void KeepLeftover(forms::ListView& threats, forms::ListItem& row, TraceTie isTraceOf,
                  const std::string& location) {
    frmDelete().lstProblem.ListItems.Add(location);
    for (int i = 1; i <= threats.ListItems.Count(); ++i) {
        forms::ListItem& threat = threats.ListItems(i);
        if (isTraceOf(threat, row)) {
            threat.SetChecked(false);
            break;
        }
    }
    row.SetChecked(false);
}

// The checking run's last try at a program file that stayed; whether the file or folder is still
// there after it.
bool IsLeftOver(const RemovalGuard& guard, const std::string& path) {
    if (!IsStillThere(path)) {
        return false;
    }
    if (platform::ToLowerText(path).find(".exe") != std::string::npos) {
        StopAndQuarantineFile(path, guard.Check(path));
    }
    return IsStillThere(path);
}

void ShowProgress(FrmMainForm& window, double barValue, int item, int count,
                  const std::string& caption) {
    window.pgbDeleteSpywaresFound.SetValue(barValue);
    window.lblDeletingPercentageCompleted.SetCaption(RemovingProgressText(item, count));
    window.lblDeletingCaption.SetCaption(platform::ToLowerText(caption));
}

// Whether the prefix's drive links vanished during this removal: from then on it takes nothing
// more, and its checking run lists every row that is left. Set afresh by each removing run.
bool gDriveLinksGone = false;

// What the guard says of a row, with the entry it holds for the removal; after the drive links
// went, every row is past mapping.
RemovalCheck CheckRow(const RemovalGuard& guard, const std::string& path) {
    RemovalCheck check =
        gDriveLinksGone ? RemovalCheck{RemovalVerdict::Unmapped, std::nullopt} : guard.Check(path);
    gDriveLinksGone = check.verdict == RemovalVerdict::Unmapped;
    return check;
}

// A row the guard refuses, or one whose path no longer maps to the machine, is left over whatever
// stands there.
bool IsKeptUntried(RemovalVerdict verdict) {
    return verdict == RemovalVerdict::Refused || verdict == RemovalVerdict::Unmapped;
}

// Rows are looked up again after every yield: a handler that ran meanwhile may have changed the
// list. The row count is the one taken when the pass began.
void RemoveFileRows(FrmMainForm& window, bool checking, const RemovalGuard& guard) {
    auto& list = window.lvwFilesToBeDeleted;
    const int count = list.ListItems.Count();
    for (int i = 1; i <= count; ++i) {
        if (!list.ListItems(i).Checked()) {
            continue;
        }
        const std::string path = list.ListItems(i).Text();
        ShowProgress(window, i, i, count, path);
        const RemovalCheck check = CheckRow(guard, path);
        if (check.verdict == RemovalVerdict::Allowed) {
            RemoveFile(path, check, window.Hwnd());
        }
        forms::DoEvents();
        if (checking && (IsKeptUntried(check.verdict) || IsLeftOver(guard, path))) {
            KeepLeftover(window.lvwPicRemoveListOfSpywareFoundAndToBeRemoved, list.ListItems(i),
                         IsFileTraceOf, path);
        }
    }
}

void RemoveRegistryRows(FrmMainForm& window, bool checking) {
    auto& list = window.lvwRegistryToBeDeleted;
    const int fileRows = window.lvwFilesToBeDeleted.ListItems.Count();
    const int count = list.ListItems.Count();
    DeleteTickedRegistryEntries(list, checking);
    for (int i = 1; i <= count; ++i) {
        const forms::ListItem& row = list.ListItems(i);
        if (!row.Checked()) {
            continue;
        }
        ShowProgress(window, fileRows + i, i, count, row.SubItems(1) + "\\" + row.SubItems(2));
        forms::DoEvents();
        forms::ListItem& kept = list.ListItems(i);
        const auto target = RegistryTargetOf(kept);
        if (checking && target && (IsProtected(*target) || StillPresent(*target))) {
            KeepLeftover(window.lvwPicRemoveListOfSpywareFoundAndToBeRemoved, kept,
                         IsRegistryTraceOf,
                         RegistryEntryLocation(target->root, target->keyPath, target->valueName));
        }
    }
}

void RemoveCookieRows(FrmMainForm& window, bool checking, const RemovalGuard& guard) {
    auto& list = window.lvwCookiesToDelete;
    const int count = list.ListItems.Count();
    for (int i = 1; i <= count; ++i) {
        if (!list.ListItems(i).Checked()) {
            continue;
        }
        const std::string path = list.ListItems(i).Text();
        window.lblDeletingPercentageCompleted.SetCaption(RemovingProgressText(i, count));
        window.lblDeletingCaption.SetCaption(platform::ToLowerText(path));
        const RemovalCheck check = CheckRow(guard, path);
        if (check.verdict == RemovalVerdict::Allowed && FileExists(path)) {
            QuarantineAndKillFile(path, check);
        }
        forms::DoEvents();
        if (checking && (IsKeptUntried(check.verdict) || FileExists(path))) {
            KeepLeftover(window.lvwPicRemoveListOfSpywareFoundAndToBeRemoved, list.ListItems(i),
                         IsCookieTraceOf, path);
        }
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
// the "Delete Failed" window, whatever is still there: files, folders, registry entries and cookie
// files, every row the guard refused and every row whose path no longer maps to the machine.
void FrmMainForm::RemoveCheckedItems() {
    const bool checking = !gLogRemovals;
    const int problemsBefore = frmDelete().lstProblem.ListItems.Count();
    if (lvwPicRemoveListOfSpywareFoundAndToBeRemoved.ListItems.Count() > 0) {
        StartProgress(*this);
    }
    const RemovalGuard guard;
    if (!checking) {
        gDriveLinksGone = false;
    }
    RemoveFileRows(*this, checking, guard);
    RemoveRegistryRows(*this, checking);
    RemoveCookieRows(*this, checking, guard);
    if (frmDelete().lstProblem.ListItems.Count() > problemsBefore) {
        frmDelete().Show();
    }
}
