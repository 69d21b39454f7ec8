// The download window's design.
#include "ui/frm_download.h"

#include "forms/form_registry.h"
#include "ui/design.h"
#include "ui/pictures.h"

using design::Place;

FrmDownloadForm::FrmDownloadForm() : Form("frmDownload") {
    design::SetUpFixedWindow(*this, "Live Update", 5400, 2040);
    Move(3600, 3000);
    for (forms::PictureBox* picture : {&picDown, &picUp}) {
        Place(*picture, nullptr, 240, 240, 480, 480);
    }
    picDown.SetPicture(pictures::kDownloadDown);
    picDown.SetVisible(false);
    picUp.SetPicture(pictures::kDownloadUp);
    Place(lblProduct, nullptr, "Connecting: Checking for Updates", 960, 300, 4200, 255);
    lblProduct.SetFontBold(true);
    Place(lblStatus, nullptr, "", 960, 600, 4200, 255);
    Place(txtStatus, nullptr, 240, 960, 4920, 315);
    txtStatus.SetLocked(true);
    Place(Command1, nullptr, "Cancel", 3960, 1440, 1200, 420);
    Command1.SetCancel(true);
    design::SetTimer(tmrBlink, 800, true);

    Command1.OnClick = [this] { Command1_Click(); };
    tmrBlink.OnTimer = [this] { tmrBlink_Timer(); };
}

FrmDownloadForm& frmDownload() {
    return forms::DefaultInstance<FrmDownloadForm>();
}
