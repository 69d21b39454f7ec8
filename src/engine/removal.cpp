// The removal of the ticked results: the Delete button and the sequence around the worker.
#include "engine/globals.h"
#include "engine/memory_shield.h"
#include "engine/quarantine_log.h"
#include "engine/registry_removal.h"
#include "engine/removal_text.h"
#include "engine/system_restore.h"
#include "forms/host.h"
#include "forms/message_box.h"
#include "foundation/globals.h"
#include "foundation/settings_store.h"
#include "localization/globals.h"
#include "platform/machine.h"
#include "ui/frm_delete.h"
#include "ui/frm_main.h"
#include "ui/main_navigation.h"
#include "update/submission.h"

namespace {

// The yields that give "Gathering information..." time to show.
constexpr int kInformationPauseYields = 200;
// The restore-point type a removal's restore point has.
constexpr std::int32_t kRemovalRestorePointType = 6;

std::string Message(std::string_view key) {
    return gLanguages->getMessages(key);
}

// Runs one step of the sequence; a step that fails leaves the next ones to run.
template <class Step>
void Guarded(Step&& step) {
    try {
        step();
    } catch (const std::exception&) {
    }
}

bool AnyRowTicked(const forms::ListView& list) {
    for (int i = 1; i <= list.ListItems.Count(); ++i) {
        if (list.ListItems(i).Checked()) {
            return true;
        }
    }
    return false;
}

void ShowRemovalProgress(FrmMainForm& window, bool visible) {
    window.lblDeletingPercentageCompleted.SetVisible(visible);
    window.pgbDeleteSpywaresFound.SetVisible(visible);
    window.lblDeletingCaption.SetVisible(visible);
}

// The results panel alone, and of the side menu everything but Remove.
void ShowRemovalPanel(FrmMainForm& window, bool withExit) {
    ShowMainPanels(window, false, false, true, false);
    window.lblSweepNow.SetEnabled(true);
    window.lblOptions.SetEnabled(true);
    window.lblResult.SetEnabled(true);
    if (withExit) {
        window.lblExit.SetEnabled(true);
    }
    window.lblRemove.SetEnabled(false);
}

void ShowGatheringInformation(FrmMainForm& window) {
    window.lblDeletingPercentageCompleted.SetCaption(Message("MSG_INFORMATION"));
    for (int i = 0; i < kInformationPauseYields; ++i) {
        forms::DoEvents();
    }
    window.lblDeletingPercentageCompleted.SetCaption("");
}

// Without a whole restore point no registry entry goes (files have their quarantine copies).
void BeginRemovalRestorePoint(FrmMainForm& window) {
    window.lblDeletingPercentageCompleted.SetCaption(Message("MSG_RESTOREPOINT"));
    forms::DoEvents();
    long error = kErrorRestorePointOpen;
    Guarded([&] {
        error = BeginRestorePoint(
            gProgramName + " Restore Point " + DateTimeText(forms::CurrentHost().Now()),
            kRemovalRestorePointType, TickedRegistryRoots(window.lvwRegistryToBeDeleted));
    });
    if (error != platform::ERROR_SUCCESS) {
        HoldRegistryDeletions(error);
    }
}

// The rows of the result lists a removal drops what it took away from.
struct RowCounts {
    int threats = 0;
    int traces = 0;  // files, folders and registry entries
};

RowCounts CountRows(FrmMainForm& window) {
    return {window.lvwPicRemoveListOfSpywareFoundAndToBeRemoved.ListItems.Count(),
            window.lvwFilesToBeDeleted.ListItems.Count() +
                window.lvwRegistryToBeDeleted.ListItems.Count()};
}

// Each threat and each trace the removal took away counts once: the rows it dropped. What stayed
// behind keeps its rows.
void CountRemovedItems(FrmMainForm& window, const RowCounts& before) {
    const RowCounts after = CountRows(window);
    RemovalTally tally;
    tally.storedTotal =
        forms::ParseCaptionNumber(GetSetting(gProgramName, "Settings", "lblDefRemoved", "0"));
    tally.threatsRemoved = before.threats - after.threats;
    tally.tracesRemoved = before.traces - after.traces;
    SaveSetting(gProgramName, "Settings", "lblDefRemoved",
                std::to_string(RemovedItemsTotal(tally)));
}

// The quarantine folder, the results panel, the shields off, a moment for the window to show it.
void PrepareForRemoval(FrmMainForm& window) {
    Guarded([] { platform::CurrentMachine().folders().Create(QuarantineFolder()); });
    Guarded([&] { ShowRemovalPanel(window, true); });
    Guarded([&] { EnableShieldTimers(window, false); });
    Guarded([&] {
        ShowRemovalPanel(window, false);
        ShowRemovalProgress(window, true);
    });
    Guarded([&] { ShowGatheringInformation(window); });
}

// The shields back on, the count, the submission the user allows, the status labels.
void FinishRemoval(FrmMainForm& window, const RowCounts& before) {
    Guarded([&] {
        window.pgbDeleteSpywaresFound.SetValue(window.pgbDeleteSpywaresFound.Max());
        window.lblDeletingPercentageCompleted.SetCaption("100% " + Message("MSG_COMPLETE"));
    });
    Guarded([&] {
        EnableShieldTimers(window, true);
        window.lblRemove.SetEnabled(true);
    });
    Guarded([&] { CountRemovedItems(window, before); });
    Guarded([&] {
        if (window.chkSendData.Value() == 1) {
            SubmitAnonymousData();
        }
    });
    Guarded([&] {
        window.RefreshStatusLabels();
        ShowRemovalProgress(window, false);
    });
}

}  // namespace

void FrmMainForm::Command4_Click() {
    if (!AnyRowTicked(lvwPicRemoveListOfSpywareFoundAndToBeRemoved)) {
        if (!gAutoRemoveAfterScan) {
            forms::MsgBox(Message("MSG_SELECTED"), forms::MsgBoxInformation, gProgramName);
        }
        return;
    }
    const std::string question = DeleteQuestion(QuarantineFolder(), IsSystemRestoreSupported());
    if (!gAutoRemoveAfterScan && forms::MsgBox(question, forms::MsgBoxYesNo,
                                               Message("MSG_REALLY")) != forms::MsgBoxResult::Yes) {
        return;
    }
    ShowRemovalProgress(*this, true);
    frmDelete().lstProblem.ListItems.Clear();
    lblRemove_Click();
}

// The first worker run quarantines, deletes and logs; the second, without logging, tries again and
// lists what is still there. Where restore points are kept, one brackets both. Each step that
// fails leaves the next ones to run.
void FrmMainForm::lblRemove_Click() {
    const RowCounts before = CountRows(*this);
    StartRegistryRemoval();
    PrepareForRemoval(*this);
    const bool restorePoint = IsSystemRestoreSupported();
    if (restorePoint) {
        Guarded([this] { BeginRemovalRestorePoint(*this); });
    }
    gLogRemovals = true;
    Guarded([this] { RemoveCheckedItems(); });
    gLogRemovals = false;
    Guarded([this] { RemoveCheckedItems(); });
    if (restorePoint) {
        Guarded([] { EndRestorePoint(); });
    }
    Guarded([this] {
        DropCheckedFileRows();
        DropCheckedRegistryRows();
        DropCheckedFoundRows();
        lblDeletingCaption.SetCaption("");
        DropCheckedThreatRows();
    });
    FinishRemoval(*this, before);
    Guarded([] { TellWhyRegistryEntriesStayed(); });
}
