#pragma once

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
    // Whether the desktop took the last icon shown: false on a desktop without a notification
    // area, where an icon is no way back to a hidden window.
    bool IconAccepted() const { return iconAccepted_; }

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
    bool iconAccepted_ = false;
};

// The one tray object of the program.
extern clsTray gTray;
