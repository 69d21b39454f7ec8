// The about box: its design, its load and the website link.
#include "ui/frm_about.h"

#include <tuple>

#include "forms/form_registry.h"
#include "foundation/globals.h"
#include "ui/design.h"
#include "ui/frm_website.h"
#include "ui/pictures.h"
#include "ui/skin.h"
#include "ui/skin_labels.h"
#include "ui/version_text.h"

using design::Place;

FrmAboutForm::FrmAboutForm() : Form("frmAbout") {
    design::SetUpFixedWindow(*this, "About", 6000, 3060);
    Move(3000, 2400);
    Place(Picture1, nullptr, 240, 240, 1440, 1440);
    Picture1.SetPicture(pictures::kAbout);
    Place(Label1, nullptr, "Your Program Name", 1920, 240, 3840, 375);
    design::SetHeadingFont(Label1, 12);
    double top = 780;
    for (auto [title, value, caption] : {std::tuple{&Label3, &lblCompany, "Owned By:"},
                                         std::tuple{&Label2, &lblVersion, "Version:"},
                                         std::tuple{&Label4, &lblWebsite, "Website:"}}) {
        Place(*title, nullptr, caption, 1920, top, 1215, 255);
        Place(*value, nullptr, caption, 3255, top, 2505, 255);
        top += 330;
    }
    lblWebsite.SetForeColor(forms::Rgb(0, 51, 153));
    Place(Label5, nullptr,
          "This program looks for spyware, adware and tracking cookies on this computer and "
          "removes what you choose.  Run Live Update now and then to keep its definitions "
          "current.",
          240, 1920, 5520, 900);
    Label5.SetWordWrap(true);
    for (forms::Control* control : Controls()) {
        control->SetFontName("Verdana");
    }
    design::PlaceSkinLabelPattern(SkinLabel1, nullptr);

    lblWebsite.OnClick = [this] { lblWebsite_Click(); };
}

FrmAboutForm& frmAbout() {
    return forms::DefaultInstance<FrmAboutForm>();
}

void FrmAboutForm::Form_Load() {
    SetCaption("About " + gProgramName);
    ShowProductDetails(platform::ProgramVersionBlock());
    if (gUseSkin) {
        CopyLabelsIntoSkinLabels(*this, SkinLabel1);
        ApplySkin(*this);
    }
}

void FrmAboutForm::ShowProductDetails(const platform::VersionBlock& version) {
    Label1.SetCaption(gProgramName);
    lblCompany.SetCaption(gCompanyName);
    lblVersion.SetCaption(VersionText(version));
    lblWebsite.SetCaption(gWebsite);
}

void FrmAboutForm::lblWebsite_Click() {
    frmWebsite().Show();
}
