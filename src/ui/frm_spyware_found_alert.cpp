// The spyware alert's design.
#include "ui/frm_spyware_found_alert.h"

#include "forms/form_registry.h"
#include "ui/design.h"

using design::Place;

FrmSpywareFoundAlertForm::FrmSpywareFoundAlertForm() : Form("frmSpywareFoundAlert") {
    design::SetUpFixedWindow(*this, "Spyware Alert", 5400, 3420);
    SetTopMost(true);
    Move(3600, 2400);
    Place(lblProductName, nullptr, "Malicious Program Found", 240, 180, 4920, 315);
    design::SetHeadingFont(lblProductName, 10);
    lblProductName.SetForeColor(forms::Rgb(176, 32, 32));
    Place(Label1, nullptr, "Spyware/Adware has been detected.", 240, 600, 4920, 255);
    Place(SkinLabel4, nullptr, "File Name:", 240, 1020, 1500, 255);
    Place(lblAlertFileName, nullptr, "Unknown Executable", 1800, 1020, 3360, 255);
    lblAlertFileName.SetFontBold(true);
    Place(SkinLabel5, nullptr, "Company Name:", 240, 1380, 1500, 255);
    // Two lines: a missing company name is told with the file's name.
    Place(lblAlertCompanyName, nullptr, "Unknown Company", 1800, 1380, 3360, 450);
    lblAlertCompanyName.SetWordWrap(true);
    Place(SkinLabel2, nullptr, "Click STOP to stop it from running.", 240, 1980, 4920, 255);
    Place(SkinLabel3, nullptr, "Click ALLOW to allow the program to run.", 240, 2280, 4920, 255);
    Place(cmdYes, nullptr, "STOP", 1440, 2760, 1200, 420);
    Place(cmdNO, nullptr, "ALLOW", 2760, 2760, 1200, 420);
    design::PlaceSkinLabelPattern(SkinLabel1, nullptr);
    SkinLabel1(0).SetCaption("Windowed Label");
    // Switched on by the load; its tick does nothing.
    design::SetTimer(tmrBlink, 800, false);

    cmdYes.OnClick = [this] { cmdYes_Click(); };
    cmdNO.OnClick = [this] { cmdNO_Click(); };
    tmrBlink.OnTimer = [this] { tmrBlink_Timer(); };
}

FrmSpywareFoundAlertForm& frmSpywareFoundAlert() {
    return forms::DefaultInstance<FrmSpywareFoundAlertForm>();
}
