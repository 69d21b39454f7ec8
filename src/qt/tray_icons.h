#pragma once

#include <QSystemTrayIcon>
#include <cstdint>
#include <map>
#include <memory>
#include <utility>

#include "forms/host.h"

namespace frontend {

// The classic message number of an activation of a tray icon (513 left press, 515 left double
// click, 516 right press); 0 for activations that have none.
int TrayMessageOf(QSystemTrayIcon::ActivationReason reason);

// The program's tray icons, one per owning window and id. Their activations reach the owning
// window as tray messages.
class TrayIcons {
  public:
    TrayIcons() = default;
    ~TrayIcons();
    TrayIcons(const TrayIcons&) = delete;
    TrayIcons& operator=(const TrayIcons&) = delete;

    // Adding an icon that exists updates it. False when the desktop has no tray (the icon is
    // kept: it shows if a tray comes).
    bool Add(const forms::TrayIcon& icon);
    // False when there is no such icon.
    bool Modify(const forms::TrayIcon& icon);
    bool Delete(std::int32_t owner, int id);

    QSystemTrayIcon* Find(std::int32_t owner, int id) const;

  private:
    void Show(QSystemTrayIcon& shown, const forms::TrayIcon& icon);

    std::map<std::pair<std::int32_t, int>, std::unique_ptr<QSystemTrayIcon>> icons_;
};

}  // namespace frontend
