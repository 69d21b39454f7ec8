// The skinned look: colouring controls from the splash's skin, and the banner browser.
#include "ui/skin.h"

#include <array>
#include <string_view>

#include "forms/containers.h"
#include "forms/errors.h"
#include "forms/form_registry.h"
#include "forms/web_browser.h"
#include "foundation/globals.h"
#include "ui/frm_splash.h"
#include "ui/globals.h"
#include "ui/skin_control.h"

namespace {

constexpr std::array<std::string_view, 7> kListLikeTypes = {
    "TextBox", "ComboBox", "FileListBox", "DirListBox", "DriveListBox", "ListBox", "ListView"};

bool IsListLike(std::string_view typeName) {
    for (std::string_view listLike : kListLikeTypes) {
        if (typeName == listLike) {
            return true;
        }
    }
    return false;
}

void SkinWith(const SkinControl* skin, forms::Form& window) {
    if (skin == nullptr) {
        throw forms::OperationFailed("there is no skin to apply to " + window.Name());
    }
    const SkinControl::Colors& colors = skin->SkinColors();
    ColorControlsByType(window, colors[0], colors[1], colors[2], colors[3]);
    skin->ApplySkin(window.Hwnd());
}

// The skin lives on the splash window. A splash loaded only for its skin must not go on to open
// the main window, so its timer stops; a splash that is already loaded is left alone, as its
// timer may still be counting towards the main window.
void LoadSplashForItsSkin() {
    if (forms::IsLoaded<FrmSplashForm>()) {
        return;
    }
    FrmSplashForm& splash = frmSplash();
    splash.Timer2.SetEnabled(false);
    splash.Hide();
}

template <class T>
T& RequireControl(forms::Form& window, std::string_view name) {
    auto* control = dynamic_cast<T*>(window.FindControl(name));
    if (control == nullptr) {
        throw forms::OperationFailed(window.Name() + " has no control " + std::string(name));
    }
    return *control;
}

}  // namespace

void ApplySkin(forms::Form& window) {
    try {
        SkinWith(gSkinObject, window);
    } catch (const std::exception&) {
        LoadSplashForItsSkin();
        SkinWith(gSkinObject, window);
    }
}

void ColorControlsByType(forms::Form& window, forms::Color colour1, forms::Color colour2,
                         forms::Color colour3, forms::Color /*colour4*/) {
    for (forms::Control* control : window.Controls()) {
        const std::string_view type = control->TypeName();
        if (type == "CommandButton") {
            control->SetBackColor(colour1);
        } else if (IsListLike(type)) {
            control->SetBackColor(colour1);
            control->SetForeColor(colour2);
        } else if (type == "PictureBox") {
            control->SetBackColor(colour3);
        }
    }
}

double BannerMargin(forms::ScaleMode mode) {
    return mode == forms::ScaleMode::Pixels ? 20 : 280;
}

void ShowBanner(forms::Form& window) {
    auto& banner = RequireControl<forms::WebBrowser>(window, "wbBanner");
    auto& picture = RequireControl<forms::Control>(window, "wbPicture");
    auto& box = window.AddControl<forms::PictureBox>("picBox");
    gBannerBox = &box;
    box.SetContainer(banner.Container());
    box.Move(banner.Left(), banner.Top(), banner.Width() - BannerMargin(window.ScaleMode()),
             banner.Height());
    banner.SetContainer(&box);
    banner.Move(0, 0);
    banner.SetVisible(true);
    picture.SetVisible(false);
    banner.Navigate(gBannerURL);
}
