// The download window: its load and unload, the animation, Cancel and its tray icon.
#include <optional>
#include <string>
#include <string_view>

#include "foundation/globals.h"
#include "localization/globals.h"
#include "ui/frm_download.h"
#include "ui/skin.h"
#include "ui/tray.h"
#include "update/globals.h"

namespace {

constexpr std::int32_t kBlinkCycle = 15;

std::string Message(std::string_view key) {
    return gLanguages->getMessages(key);
}

// The caption that a tick of the animation's cycle puts over the picture's own, if any.
std::optional<std::string_view> BlinkCaptionKey(std::int32_t tick) {
    switch (tick) {
        case 0:
            return "MSG_CONNECTING2";
        case 6:
            return "MSG_SENT";
        case 8:
            return "MSG_RECEIVING";
        case 1:
        case 7:
        case 9:
            return std::nullopt;
        default:
            return "MSG_SENDING";
    }
}

}  // namespace

void FrmDownloadForm::Form_Load() {
    tmrBlink.SetEnabled(true);
    picDown.SetVisible(false);
    picUp.SetVisible(true);
    lblProduct.SetCaption(Message("MSG_DOWNLOADING"));
    gTray.RemoveIcon(*this);
    gTray.ShowIcon(*this);
    gTray.ChangeToolTip(*this, "Getting latest definitions.");
    if (gUseSkin) {
        ApplySkin(*this);
    }
}

void FrmDownloadForm::Form_Unload(bool&) {
    gTray.RemoveIcon(*this);
}

void FrmDownloadForm::Form_TrayMessage(int message) {
    if (!gTray.bRunningInTray || message != forms::tray_message::LeftDoubleClick) {
        return;
    }
    SetWindowState(forms::WindowState::Normal);
    Show();
    SetWindowState(forms::WindowState::Normal);
}

// Cancel ends the running update's transfer: it changes nothing and closes this window.
void FrmDownloadForm::Command1_Click() {
    gLiveUpdateCancelled = true;
    Unload();
}

// Theatre: the pictures and captions take turns whatever the download is doing.
void FrmDownloadForm::tmrBlink_Timer() {
    if (picDown.Visible()) {
        picDown.SetVisible(false);
        picUp.SetVisible(true);
        lblProduct.SetCaption(Message("MSG_CONNECTING"));
    } else {
        lblProduct.SetCaption(Message("MSG_CHECKING"));
        picDown.SetVisible(true);
        picUp.SetVisible(false);
    }
    if (BlinkTick >= kBlinkCycle) {
        BlinkTick = 0;
    }
    if (const auto key = BlinkCaptionKey(BlinkTick)) {
        lblProduct.SetCaption(Message(*key));
    }
    ++BlinkTick;
}
