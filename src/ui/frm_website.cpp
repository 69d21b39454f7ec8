// The in-app browser: its design, its commands, the page's events and its layout.
#include "ui/frm_website.h"

#include <cmath>
#include <exception>
#include <functional>

#include "forms/form_registry.h"
#include "forms/geometry.h"
#include "forms/host.h"
#include "foundation/brand.h"
#include "foundation/file_queries.h"
#include "foundation/globals.h"
#include "ui/design.h"
#include "ui/globals.h"
#include "ui/pictures.h"
#include "ui/skin.h"
#include "ui/skin_labels.h"

using design::Place;

namespace {

constexpr double kInnerWidth = 12000;
constexpr double kInnerHeight = 8400;
constexpr double kStatusBarHeight = 300;
constexpr double kButtonSize = 420;
constexpr int kPageStatusPanel = 1;
constexpr int kLoadingStatePanel = 2;

// Back, forward, stop and refresh do nothing when the page cannot (no earlier page, say).
void IgnoringFailure(const std::function<void()>& command) {
    try {
        command();
    } catch (const std::exception&) {
    }
}

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

void FrmWebsiteForm::Form_Load() {
    InitBrandSettings();
    StatusBar1.Panels.Add();
    SetCaption(gWebsite);
    ::SetTopMost(*this, true);
    if (gUseSkin) {
        CopyLabelsIntoSkinLabels(*this, SkinLabel1);
        ApplySkin(*this);
    }
    WebBrowser1.Navigate(gWebsite);
    SetWindowState(forms::WindowState::Maximized);
    ::SetTopMost(*this, false);
}

void FrmWebsiteForm::Form_Resize() {
    LayoutBrowser();
}

void FrmWebsiteForm::Form_Paint() {
    LayoutBrowser();
}

// The main window closed while this one was open: this window's close is the program's end.
// Skinning in this build holds nothing that needs releasing first (see skin_control.h).
void FrmWebsiteForm::Form_Unload(bool&) {
    if (gEndOnWebsiteClose) {
        forms::CurrentHost().EndProcess();
    }
}

void FrmWebsiteForm::Command3_Click() {
    WebBrowser1.Navigate(Text1.Text());
}

void FrmWebsiteForm::Text1_KeyPress(int& keyAscii) {
    if (keyAscii == forms::key::Return) {
        WebBrowser1.Navigate(Text1.Text());
    }
}

void FrmWebsiteForm::Command4_Click() {
    IgnoringFailure([this] { WebBrowser1.GoBack(); });
}

void FrmWebsiteForm::Command5_Click() {
    IgnoringFailure([this] { WebBrowser1.GoForward(); });
}

void FrmWebsiteForm::Command6_Click() {
    IgnoringFailure([this] { WebBrowser1.Stop(); });
}

void FrmWebsiteForm::Command7_Click(int) {
    IgnoringFailure([this] { WebBrowser1.Refresh(); });
}

void FrmWebsiteForm::WebBrowser1_StatusTextChange(const std::string& text) {
    StatusBar1.Panels(kPageStatusPanel).SetText(text);
}

void FrmWebsiteForm::WebBrowser1_DownloadBegin() {
    StatusBar1.Panels(kLoadingStatePanel).SetText("Opening " + WebBrowser1.LocationURL());
}

// A redirect replaces what the user typed: the address field follows the page.
void FrmWebsiteForm::WebBrowser1_DownloadComplete() {
    StatusBar1.Panels(kLoadingStatePanel).SetText("Completed " + WebBrowser1.LocationURL());
    Text1.SetText(WebBrowser1.LocationURL());
    SetCaption(WebBrowser1.LocationName());
}

void FrmWebsiteForm::WebBrowser1_ProgressChange(long, long) {}

// The fixed margins leave room for the frame's border, the buttons' row and the status bar. Every
// size is taken as its absolute value, so a window smaller than the margins still gets valid sizes.
void FrmWebsiteForm::LayoutBrowser() {
    const double width = Width();
    const double height = Height();
    // The status bar keeps to the bottom edge across the whole window, as a docked bar does.
    StatusBar1.Move(0, std::abs(ScaleHeight() - StatusBar1.Height()), std::abs(ScaleWidth()),
                    StatusBar1.Height());
    for (int panel : {kPageStatusPanel, kLoadingStatePanel}) {
        if (panel <= StatusBar1.Panels.Count()) {
            StatusBar1.Panels(panel).SetWidth(std::abs(width / 2));
        }
    }
    frmBrowser.SetHeight(std::abs(height - StatusBar1.Height()));
    frmBrowser.SetWidth(std::abs(width - 300));
    Text1.SetWidth(std::abs(frmBrowser.Width() - Text1.Left() - 300 - Command3.Width()));
    Command3.SetLeft(std::abs(Text1.Width() + Text1.Left() + 100));
    WebBrowser1.SetWidth(std::abs(frmBrowser.Width() - WebBrowser1.Left() - 100));
    WebBrowser1.SetHeight(
        std::abs(frmBrowser.Height() - WebBrowser1.Top() - 800 - StatusBar1.Height()));
}
