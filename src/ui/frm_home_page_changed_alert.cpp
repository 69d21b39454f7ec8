// The home-page alert's design.
#include "ui/frm_home_page_changed_alert.h"

#include "forms/form_registry.h"
#include "ui/design.h"
#include "ui/pictures.h"

using design::Place;

FrmHomePageChangedAlertForm::FrmHomePageChangedAlertForm() : Form("frmHomePageChangedAlert") {
    design::SetUpFixedWindow(*this, "Home Page Changed", 6600, 3600);
    SetTopMost(true);
    Move(3000, 2400);
    Place(Picture1, nullptr, 240, 240, 720, 720);
    Picture1.SetPicture(pictures::kHomePage);
    Place(lblFrmHomePageProductName, nullptr, "", 1200, 300, 5160, 315);
    design::SetHeadingFont(lblFrmHomePageProductName, 10);
    // The question: eight lines with both addresses.
    Place(lblHomePageInfo, nullptr, "##########", 1200, 720, 5160, 2040);
    lblHomePageInfo.SetWordWrap(true);
    Place(cmdYes, nullptr, "Yes", 3960, 3000, 1080, 420);
    Place(cmdNO, nullptr, "No", 5160, 3000, 1080, 420);

    cmdYes.OnClick = [this] { cmdYes_Click(); };
    cmdNO.OnClick = [this] { cmdNO_Click(); };
}

FrmHomePageChangedAlertForm& frmHomePageChangedAlert() {
    return forms::DefaultInstance<FrmHomePageChangedAlertForm>();
}
