#include "ui/tray.h"

#include "forms/form.h"
#include "forms/host.h"

namespace {

constexpr int kTrayIconId = 1;

forms::TrayIcon IconOf(const forms::Form& window, std::string tip) {
    return {window.Hwnd(), kTrayIconId, std::move(tip), window.Icon()};
}

}  // namespace

clsTray gTray;

void clsTray::ShowIcon(forms::Form& sysTrayForm) {
    forms::CurrentHost().AddTrayIcon(IconOf(sysTrayForm, sysTrayForm.Caption()));
    bRunningInTray = true;
}

void clsTray::RemoveIcon(forms::Form& sysTrayForm) {
    forms::CurrentHost().DeleteTrayIcon(sysTrayForm.Hwnd(), kTrayIconId);
    bRunningInTray = false;
}

void clsTray::ChangeToolTip(forms::Form& sysTrayForm, const std::string& strNewTip) {
    if (bRunningInTray) {
        forms::CurrentHost().ModifyTrayIcon(IconOf(sysTrayForm, strNewTip));
    }
}
