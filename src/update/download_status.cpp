#include "update/download_status.h"

#include "forms/host.h"
#include "ui/frm_download.h"

void ShowDownloadStatus(const std::string& text) {
    frmDownload().txtStatus.SetText(text);
}

void ShowDownloadStatusAndYield(const std::string& text) {
    ShowDownloadStatus(text);
    forms::DoEvents();
}
