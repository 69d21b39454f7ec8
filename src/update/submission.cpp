// Submitting program names: by hand from the update page, and of the running programs.
#include "update/submission.h"

#include <algorithm>
#include <exception>

#include "forms/geometry.h"
#include "foundation/http_access.h"
#include "foundation/line_codec.h"
#include "foundation/path_text.h"
#include "localization/globals.h"
#include "platform/http_address.h"
#include "platform/processes.h"
#include "platform/text_case.h"
#include "ui/frm_main.h"
#include "update/definitions_server.h"

namespace {

bool IsNeverSubmitted(std::string_view name) {
    return std::find(kProgramsNeverSubmitted.begin(), kProgramsNeverSubmitted.end(), name) !=
           kProgramsNeverSubmitted.end();
}

std::string Message(std::string_view key) {
    return gLanguages->getMessages(key);
}

}  // namespace

std::string ManualSubmissionPayload(std::string_view name) {
    return EncodeLine(name) + "|";
}

std::string RunningProgramsPayload(const std::vector<std::string>& programNames) {
    std::string payload;
    for (const auto& name : programNames) {
        if (!IsNeverSubmitted(name)) {
            payload += (payload.empty() ? "" : "|") + EncodeLine(name);
        }
    }
    return payload;
}

bool SubmissionAccepted(std::string_view reply) {
    return platform::FindIgnoringCase(reply, "Added") != std::string_view::npos ||
           platform::FindIgnoringCase(reply, "Skipped") != std::string_view::npos;
}

std::string ListRunningProcessNamesWmi() {
    return RunningProgramsPayload(platform::CurrentProcesses().ProcessNames());
}

void SubmitAnonymousData() {
    const std::string payload = ListRunningProcessNamesWmi();
    if (!payload.empty()) {
        HttpGetText(SubmissionAddress() + platform::EscapeQueryValue(payload));
    }
}

void FrmMainForm::cmdSubmit_Click() {
    const std::string name = txtFilename.Text();
    const std::string reply = HttpGetText(
        SubmissionAddress() + platform::EscapeQueryValue(ManualSubmissionPayload(name)));
    if (SubmissionAccepted(reply)) {
        Label26.SetCaption(Message("MSG_RESULTS") + " " + name + " " +
                           Message("MSG_RESULTS_THANK"));
    } else {
        Label26.SetCaption(Message("MSG_RESULTS") + " " + Message("MSG_PROBLEM") + " " + name +
                           ".  " + Message("MSG_PROBLEM2"));
    }
    txtFilename.SetText("");
}

void FrmMainForm::Command2_Click() {
    try {
        CD1.ShowOpen();
    } catch (const std::exception&) {
        return;
    }
    // A cancelled dialog chose nothing; what the user typed stays.
    if (!CD1.FileName().empty()) {
        txtFilename.SetText(GetFileNameFromPath(CD1.FileName()));
    }
}

void FrmMainForm::txtFilename_KeyPress(int& keyAscii) {
    if (keyAscii == forms::key::Return) {
        cmdSubmit_Click();
    }
}
