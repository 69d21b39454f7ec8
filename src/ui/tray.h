#pragma once

#include <cstdint>
#include <set>
#include <string>

#include "forms/host.h"

namespace forms {
class Form;
}

// The program's icon in the notification area: one icon (id 1) per owning window, whose clicks
// reach that window's Form_TrayMessage. Every member ignores failures, its own and the desktop's.
class clsTray {
  public:
    // True after ShowIcon, false after RemoveIcon, whatever the desktop answered.
    bool bRunningInTray = false;
    // Whether the window has an icon the desktop took: false on a desktop without a notification
    // area, where an icon is no way back to a hidden window.
    bool ShowsIconFor(const forms::Form& window) const;

    // Adds the window's icon with the window's caption as its tip; the host cuts tips to 63
    // characters.
    void ShowIcon(forms::Form& sysTrayForm);
    void RemoveIcon(forms::Form& sysTrayForm);
    // Retitles the window's icon, keeping the picture of the last call; nothing while no icon is
    // shown.
    void ChangeToolTip(forms::Form& sysTrayForm, const std::string& strNewTip);

  private:
    // What the desktop was last told about the icon.
    forms::TrayIcon record_;
    // The windows whose icon the desktop took (each window has its own).
    std::set<std::int32_t> ownersWithIcon_;
};

// The one tray object of the program.
extern clsTray gTray;
