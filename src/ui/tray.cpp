#include "ui/tray.h"

#include "forms/form.h"

namespace {

constexpr int kTrayIconId = 1;

}  // namespace

clsTray gTray;

void clsTray::ShowIcon(forms::Form& sysTrayForm) {
    record_ = {sysTrayForm.Hwnd(), kTrayIconId, sysTrayForm.Caption(), sysTrayForm.Icon()};
    // A repeated add that the desktop refuses leaves the icon it already has.
    if (forms::CurrentHost().AddTrayIcon(record_)) {
        ownersWithIcon_.insert(record_.owner);
    }
    bRunningInTray = true;
}

void clsTray::RemoveIcon(forms::Form& sysTrayForm) {
    record_.owner = sysTrayForm.Hwnd();
    record_.id = kTrayIconId;
    record_.tip.clear();
    forms::CurrentHost().DeleteTrayIcon(record_.owner, record_.id);
    ownersWithIcon_.erase(record_.owner);
    bRunningInTray = false;
}

bool clsTray::ShowsIconFor(const forms::Form& window) const {
    return ownersWithIcon_.contains(window.Hwnd());
}

void clsTray::ChangeToolTip(forms::Form& sysTrayForm, const std::string& strNewTip) {
    if (!bRunningInTray) {
        return;
    }
    record_.owner = sysTrayForm.Hwnd();
    record_.tip = strNewTip;
    forms::CurrentHost().ModifyTrayIcon(record_);
}
