// The in-app browser: its design, its commands, the page's events and its layout.
#include "ui/frm_website.h"

#include "forms/form_registry.h"
#include "ui/design.h"
#include "ui/pictures.h"

using design::Place;

namespace {

constexpr double kInnerWidth = 12000;
constexpr double kInnerHeight = 8400;
constexpr double kStatusBarHeight = 300;
constexpr double kButtonSize = 420;

void PlacePictureButton(forms::CommandButton& button, forms::Frame& frame, double left,
                        const forms::ImageId& picture, const char* tip) {
    Place(button, &frame, "", left, 240, kButtonSize, kButtonSize);
    button.SetStyle(forms::ButtonStyle::Graphical);
    button.SetPicture(picture);
    button.SetToolTipText(tip);
}

}  // namespace

FrmWebsiteForm::FrmWebsiteForm() : Form("frmWebsite") {
    SetCaption("Website");
    SetIcon(pictures::kProgramIcon);
    SetInnerSize(kInnerWidth, kInnerHeight);
    Move(600, 600);

    const double frameWidth = kInnerWidth - 180;
    const double frameHeight = kInnerHeight - kStatusBarHeight - 60;
    Place(frmBrowser, nullptr, "Browser", 60, 0, frameWidth, frameHeight);
    PlacePictureButton(Command4, frmBrowser, 120, pictures::kBrowserBack, "Back");
    PlacePictureButton(Command5, frmBrowser, 600, pictures::kBrowserForward, "Forward");
    PlacePictureButton(Command6, frmBrowser, 1080, pictures::kBrowserStop, "Stop");
    PlacePictureButton(Command7(0), frmBrowser, 1560, pictures::kBrowserRefresh, "Refresh");
    Place(Label5, &frmBrowser, "URL:", 2160, 330, 495, 255);
    // The address field runs to the go button, which keeps 300 from the frame's right edge.
    const double textLeft = 2700;
    const double textWidth = frameWidth - textLeft - 300 - kButtonSize;
    Place(Text1, &frmBrowser, textLeft, 285, textWidth, 315);
    PlacePictureButton(Command3, frmBrowser, textLeft + textWidth + 100, pictures::kBrowserGo,
                       "Go");
    Place(WebBrowser1, &frmBrowser, 120, 780, frameWidth - 220, frameHeight - 780 - 120);
    design::PlaceSkinLabelPattern(SkinLabel1, &frmBrowser);
    // Along the bottom edge; the load adds the second panel.
    Place(StatusBar1, nullptr, 0, kInnerHeight - kStatusBarHeight, kInnerWidth, kStatusBarHeight);
    StatusBar1.Panels.Add("", kInnerWidth / 2);

    Command3.OnClick = [this] { Command3_Click(); };
    Text1.OnKeyPress = [this](int& keyAscii) { Text1_KeyPress(keyAscii); };
    Command4.OnClick = [this] { Command4_Click(); };
    Command5.OnClick = [this] { Command5_Click(); };
    Command6.OnClick = [this] { Command6_Click(); };
    Command7.Wire([this](forms::CommandButton& button, int index) {
        button.OnClick = [this, index] { Command7_Click(index); };
    });
    WebBrowser1.OnStatusTextChange = [this](const std::string& text) {
        WebBrowser1_StatusTextChange(text);
    };
    WebBrowser1.OnDownloadBegin = [this] { WebBrowser1_DownloadBegin(); };
    WebBrowser1.OnDownloadComplete = [this] { WebBrowser1_DownloadComplete(); };
    WebBrowser1.OnProgressChange = [this](long progress, long maximum) {
        WebBrowser1_ProgressChange(progress, maximum);
    };
}

FrmWebsiteForm& frmWebsite() {
    return forms::DefaultInstance<FrmWebsiteForm>();
}

void FrmWebsiteForm::Form_Load() {}

void FrmWebsiteForm::Form_Resize() {}

void FrmWebsiteForm::Form_Paint() {}

void FrmWebsiteForm::Form_Unload(bool&) {}

void FrmWebsiteForm::Command3_Click() {}

void FrmWebsiteForm::Text1_KeyPress(int&) {}

void FrmWebsiteForm::Command4_Click() {}

void FrmWebsiteForm::Command5_Click() {}

void FrmWebsiteForm::Command6_Click() {}

void FrmWebsiteForm::Command7_Click(int) {}

void FrmWebsiteForm::WebBrowser1_StatusTextChange(const std::string&) {}

void FrmWebsiteForm::WebBrowser1_DownloadBegin() {}

void FrmWebsiteForm::WebBrowser1_DownloadComplete() {}

void FrmWebsiteForm::WebBrowser1_ProgressChange(long, long) {}

void FrmWebsiteForm::LayoutBrowser() {}
