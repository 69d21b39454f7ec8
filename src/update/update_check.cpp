// The live update command, the definitions update check and the automatic update.
#include <string>

#include "engine/memory_shield.h"
#include "forms/form_registry.h"
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

// The date to store after a package was applied: the server's answer to the new-date request, or,
// when that cannot be read, the date the server named at the start of the check.
platform::DateTime AppliedDefinitionsDate(const platform::DateTime& serverDate) {
    return ParseDateReply(HttpGetText(NewDefinitionsDateAddress())).value_or(serverDate);
}

// Marks an update as running for as long as it lives, whatever way it ends.
class RunningUpdate {
  public:
    explicit RunningUpdate(bool& running) : running_(running) { running_ = true; }
    ~RunningUpdate() { running_ = false; }
    RunningUpdate(const RunningUpdate&) = delete;
    RunningUpdate& operator=(const RunningUpdate&) = delete;

  private:
    bool& running_;
};

}  // namespace

// The check yields to the window loop while it waits for the server, so the update button, the
// File menu or the automatic update may ask for an update meanwhile. A second update started
// there would make every request again and apply the package twice: it is refused.
void FrmMainForm::cmdUpdate_Click() {
    if (updateRunning_) {
        return;
    }
    const RunningUpdate running(updateRunning_);
    EnableShieldTimers(*this, false);
    cmdLiveUpdate.SetEnabled(false);
    const std::int32_t changes = CheckForDefinitionUpdates();
    if (changes == kDefinitionUpdateFailed) {
        ShowDefinitionsNotice("MSG_INTERNET");  // never "most recent" for what could not be had
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

std::int32_t FrmMainForm::CheckForDefinitionUpdates() {
    const std::string dateAddress = DefinitionsDateAddress(gProgramName, gCompanyName);
    const std::string packageAddress = DefinitionsPackageAddress(gProgramName, gCompanyName);
    frmDownload().Show();
    ShowDownloadStatusAndYield("Connecting to the definition server, please wait.");

    const platform::DateTime local = InstalledDefinitionsDate();
    const auto server = ParseDateReply(HttpGetTextWithProgress(dateAddress, ShowDownloadStatus));
    if (!server) {
        return kDefinitionUpdateFailed;  // no answer, a broken one or an error page
    }
    if (*server <= local) {
        return 0;
    }
    const std::string package = HttpGetTextWithProgress(
        packageAddress + platform::FormatGeneralDate(local), ShowDownloadStatus);
    const auto changes = package.empty()
                             ? std::nullopt
                             : TryApplyDefinitionUpdate(package, ShowDownloadStatusAndYield);
    if (!changes) {
        return kDefinitionUpdateFailed;
    }
    if (*changes > 0) {
        const std::string stored = platform::FormatGeneralDate(AppliedDefinitionsDate(*server));
        SaveDefinitionsDate(stored);
        lblDefVersion.SetCaption(stored + " PST");
    }
    return *changes;
}

void FrmMainForm::timUpdate_Timer() {
    if (!cmdScanNow.Enabled()) {
        return;  // a scan runs: the tick neither counts nor resets the count
    }
    if (UpdateIdleTicks >= kIdleTicksBeforeAutomaticUpdate) {
        cmdUpdate_Click();  // refused while an update runs, which then stands in for this one
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
