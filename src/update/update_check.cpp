// The live update command, the definitions update check and the automatic update.
#include <optional>
#include <string>
#include <vector>

#include "engine/memory_shield.h"
#include "forms/form_registry.h"
#include "forms/host.h"
#include "forms/message_box.h"
#include "foundation/definition_files.h"
#include "foundation/globals.h"
#include "foundation/http_access.h"
#include "foundation/program_error.h"
#include "foundation/settings_store.h"
#include "localization/globals.h"
#include "ui/frm_download.h"
#include "ui/frm_main.h"
#include "ui/frm_signature_updated.h"
#include "ui/tray.h"
#include "update/definition_addresses.h"
#include "update/definitions_date.h"
#include "update/definitions_server.h"
#include "update/download_status.h"
#include "update/globals.h"
#include "update/update_package.h"

namespace {

// Counted seconds without a scan before the automatic update runs.
constexpr std::int32_t kIdleTicksBeforeAutomaticUpdate = 300;

// Slides the definitions notice up with the message of key.
void ShowDefinitionsNotice(std::string_view key) {
    frmSignatureUpdated().tmrPopupSignatureUpdate.SetEnabled(true);
    frmSignatureUpdated().Show();
    frmSignatureUpdated().lblUpdateInfo.SetCaption(gLanguages->getMessages(key));
}

// Marks an update as running for as long as it lives, whatever way it ends.
class RunningUpdate {
  public:
    explicit RunningUpdate(bool& running) : running_(running) {
        running_ = true;
        gLiveUpdateCancelled = false;
    }
    ~RunningUpdate() { running_ = false; }
    RunningUpdate(const RunningUpdate&) = delete;
    RunningUpdate& operator=(const RunningUpdate&) = delete;

  private:
    bool& running_;
};

// A request of the check, ended by Cancel in the download window; with its progress there when
// asked.
std::string RequestForUpdate(const std::string& url, std::chrono::milliseconds deadline,
                             bool showingProgress) {
    TextRequest request;
    request.deadline = deadline;
    if (showingProgress) {
        request.showProgress = ShowDownloadStatus;
    }
    request.abandoned = [] { return gLiveUpdateCancelled; };
    return GetTextAnswer(url, request).text;
}

std::int32_t FailureOf(DefinitionSetResult result) {
    return result == DefinitionSetResult::DiskFull ? kDefinitionUpdateDiskFull
                                                   : kDefinitionUpdateFailed;
}

}  // namespace

// The check yields to the window loop while it waits for the server, so the update button, the
// File menu or the automatic update may ask for an update meanwhile. A second update started
// there would make every request again and apply the package twice: instead the running one's
// window comes back, should the user have closed it.
void FrmMainForm::cmdUpdate_Click() {
    if (updateRunning_) {
        frmDownload().SetWindowState(forms::WindowState::Normal);
        frmDownload().Show();
        return;
    }
    const RunningUpdate running(updateRunning_);
    EnableShieldTimers(*this, false);
    cmdLiveUpdate.SetEnabled(false);
    const std::int32_t changes = CheckForDefinitionUpdates();
    if (changes == kDefinitionUpdateCancelled) {
        // The user stopped it: nothing changed, and nothing to tell.
    } else if (changes == kDefinitionUpdateFailed) {
        ShowDefinitionsNotice("MSG_INTERNET");  // never "most recent" for what could not be had
    } else if (changes == kDefinitionUpdateDiskFull) {
        ShowDefinitionsNotice("MSG_DISK_FULL");
    } else if (changes < 1) {
        ShowDefinitionsNotice("MSG_RECENT_DEFS");
    } else {
        SaveSetting(gProgramName, "OptionAndSettings", "SHOW", "True");
        SaveSetting(gProgramName, "OptionAndSettings", "RESTART", "True");
        if (auto* download = forms::LoadedInstance<FrmDownloadForm>()) {
            gTray.RemoveIcon(*download);
        }
        ShowDefinitionsNotice("MSG_UPDATED_DEFS");
        try {
            gDefinitionsTotal = CountDefinitions();
        } catch (const ProgramError&) {
            // The counts stay as they were; the status labels show them.
        }
        RefreshStatusLabels();
        cmdScan.SetEnabled(true);
    }
    if (auto* download = forms::LoadedInstance<FrmDownloadForm>()) {
        download->Unload();
    }
    cmdLiveUpdate.SetEnabled(true);
    EnableShieldTimers(*this, true);
}

void FrmMainForm::cmdLiveUpdate_Click() {
    cmdUpdate_Click();
}

// Only a whole, believable answer counts at every step, and the definition files and the date
// change together or not at all: a server that fails, lies or is cut off leaves them as they were
// and the update says it could not get the definitions. Each request has its deadline, and Cancel
// ends the check wherever it is until the files are being written.
std::int32_t FrmMainForm::CheckForDefinitionUpdates() {
    const std::string dateAddress = DefinitionsDateAddress(gProgramName, gCompanyName);
    const std::string packageAddress = DefinitionsPackageAddress(gProgramName, gCompanyName);
    frmDownload().Show();
    ShowDownloadStatusAndYield("Connecting to the definition server, please wait.");

    const platform::DateTime now = forms::CurrentHost().Now();
    const platform::DateTime local = InstalledDefinitionsDate(now);
    const auto server =
        ParseBelievableDateReply(RequestForUpdate(dateAddress, kShortAnswerDeadline, true), now);
    if (gLiveUpdateCancelled) {
        return kDefinitionUpdateCancelled;
    }
    if (!server) {
        return kDefinitionUpdateFailed;
    }
    if (*server <= local) {
        return 0;
    }
    const std::string package = RequestForUpdate(
        packageAddress + platform::FormatGeneralDate(local), kLongAnswerDeadline, true);
    if (gLiveUpdateCancelled) {
        return kDefinitionUpdateCancelled;
    }
    const std::vector<DefinitionUpdateRecord> records = ParseDefinitionUpdate(package);
    std::optional<DefinitionUpdatePlan> plan =
        PlanDefinitionUpdate(records, ShowDownloadStatusAndYield);
    if (gLiveUpdateCancelled) {
        return kDefinitionUpdateCancelled;
    }
    // A newer date promises changes: a package without one for these files is no package.
    if (!plan || plan->changes() < 1) {
        return kDefinitionUpdateFailed;
    }
    // The date to store: the server's answer to the new-date request, or, when that is no date,
    // the date it named at the start of the check.
    const auto newDate =
        ParseDateReply(RequestForUpdate(NewDefinitionsDateAddress(), kShortAnswerDeadline, false));
    if (gLiveUpdateCancelled) {
        return kDefinitionUpdateCancelled;
    }
    if (newDate && !IsBelievableDefinitionsDate(*newDate, now)) {
        return kDefinitionUpdateFailed;
    }
    const std::string stored = platform::FormatGeneralDate(newDate.value_or(*server));
    const DefinitionSetResult written =
        ApplyPlannedUpdate(records, *plan, stored, ShowDownloadStatusAndYield);
    if (written != DefinitionSetResult::Replaced) {
        return FailureOf(written);
    }
    lblDefVersion.SetCaption(stored + " PST");
    return plan->changes();
}

void FrmMainForm::timUpdate_Timer() {
    if (!cmdScanNow.Enabled()) {
        return;  // a scan runs: the tick neither counts nor resets the count
    }
    if (UpdateIdleTicks >= kIdleTicksBeforeAutomaticUpdate) {
        // An update running stands in for this one, and its window stays as the user left it.
        if (!updateRunning_) {
            cmdUpdate_Click();
        }
        UpdateIdleTicks = 0;
        timUpdate.SetEnabled(false);
    } else {
        ++UpdateIdleTicks;
    }
}

void FrmMainForm::cmdUpdate_MouseDown(int, int shift, double, double) {
    if (shift != forms::mouse::ShiftKey) {
        return;
    }
    gDefinitionsBaseURL = DefinitionsBaseUrl(gWebsite);
    forms::MsgBox(DefinitionAddressList(gDefinitionsBaseURL), forms::MsgBoxOkOnly);
}
