#pragma once

#include <QSystemTrayIcon>
#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <utility>

#include "forms/host.h"

namespace frontend {

// Turns one icon's activations into the classic tray messages (513 left press, 515 left double
// click, 516 right press, 518 right double click); 0 for activations that have none. Qt reports a
// left double click as such but a right double click as two context activations: a second one
// within the double-click interval is the right double click.
class TrayActivations {
  public:
    int MessageOf(QSystemTrayIcon::ActivationReason reason, std::chrono::milliseconds at,
                  std::chrono::milliseconds doubleClickInterval);

  private:
    std::optional<std::chrono::milliseconds> lastContextAt_;
};

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
