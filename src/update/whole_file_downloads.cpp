// Whole definition files downloaded into their staged copies.
#include "update/whole_file_downloads.h"

#include <string>

#include "forms/message_box.h"
#include "foundation/definition_files.h"
#include "foundation/globals.h"
#include "foundation/http_access.h"
#include "foundation/program_folder.h"
#include "foundation/settings_store.h"
#include "localization/globals.h"
#include "ui/frm_main.h"
#include "update/download_status.h"
#include "update/globals.h"

void DownloadWholeDefinitionFile(const WholeFileDownload& download, std::int32_t version) {
    const std::string url =
        gDefinitionsBaseURL + "/definitions/data/" + std::string(download.fileName);
    const std::string target =
        ProgramFolderFile(std::string(kStagedDefinitionPrefix).append(download.fileName));
    ShowDownloadStatusAndYield(std::string(download.statusText));
    if (DownloadUrlToFile(url, target)) {
        SaveSetting(gProgramName, "OptionAndSettings", download.settingKey,
                    std::to_string(version));
    } else {
        forms::MsgBox(gLanguages->getMessages("MSG_INTERNET"), forms::MsgBoxCritical, gProgramName);
    }
}

void FrmMainForm::DownloadRegistryDefinitions(std::int32_t version) {
    DownloadWholeDefinitionFile(kRegistryDefinitionsDownload, version);
}

void FrmMainForm::DownloadFileDefinitions(std::int32_t version) {
    DownloadWholeDefinitionFile(kFileDefinitionsDownload, version);
}

void FrmMainForm::DownloadExeDefinitions(std::int32_t version) {
    DownloadWholeDefinitionFile(kExeDefinitionsDownload, version);
}

void FrmMainForm::DownloadCookieDefinitions(std::int32_t version) {
    DownloadWholeDefinitionFile(kCookieDefinitionsDownload, version);
}
