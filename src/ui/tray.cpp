#include "ui/tray.h"

#include "forms/form.h"

namespace {

constexpr int kTrayIconId = 1;

}  // namespace

clsTray gTray;

void clsTray::ShowIcon(forms::Form& sysTrayForm) {
    record_ = {sysTrayForm.Hwnd(), kTrayIconId, sysTrayForm.Caption(), sysTrayForm.Icon()};
    iconAccepted_ = forms::CurrentHost().AddTrayIcon(record_);
    bRunningInTray = true;
}

void clsTray::RemoveIcon(forms::Form& sysTrayForm) {
    record_.owner = sysTrayForm.Hwnd();
    record_.id = kTrayIconId;
    record_.tip.clear();
    forms::CurrentHost().DeleteTrayIcon(record_.owner, record_.id);
    iconAccepted_ = false;
    bRunningInTray = false;
}

void clsTray::ChangeToolTip(forms::Form& sysTrayForm, const std::string& strNewTip) {
    if (!bRunningInTray) {
        return;
    }
    record_.owner = sysTrayForm.Hwnd();
    record_.tip = strNewTip;
    forms::CurrentHost().ModifyTrayIcon(record_);
}
