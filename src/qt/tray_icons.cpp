#include "qt/tray_icons.h"

#include <QGuiApplication>
#include <QStyleHints>
#include <utility>

#include "qt/outermost_loop.h"
#include "qt/pictures.h"
#include "qt/unhandled_errors.h"

namespace frontend {
namespace {

std::chrono::milliseconds SteadyNow() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
}

// The desktop's double-click interval, as Qt has it from the platform.
std::chrono::milliseconds DoubleClickInterval() {
    return std::chrono::milliseconds(QGuiApplication::styleHints()->mouseDoubleClickInterval());
}

}  // namespace

int TrayActivations::MessageOf(QSystemTrayIcon::ActivationReason reason,
                               std::chrono::milliseconds at,
                               std::chrono::milliseconds doubleClickInterval) {
    const auto lastContextAt = std::exchange(lastContextAt_, std::nullopt);
    switch (reason) {
        case QSystemTrayIcon::Trigger:
            return forms::tray_message::LeftButtonDown;
        case QSystemTrayIcon::DoubleClick:
            return forms::tray_message::LeftDoubleClick;
        case QSystemTrayIcon::Context:
            if (lastContextAt && at - *lastContextAt <= doubleClickInterval) {
                return forms::tray_message::RightDoubleClick;
            }
            lastContextAt_ = at;
            return forms::tray_message::RightButtonDown;
        default:
            return 0;
    }
}

TrayIcons::~TrayIcons() = default;

bool TrayIcons::Add(const forms::TrayIcon& icon) {
    auto& slot = icons_[{icon.owner, icon.id}];
    if (!slot) {
        slot = std::make_unique<QSystemTrayIcon>();
        const std::int32_t owner = icon.owner;
        QObject::connect(slot.get(), &QSystemTrayIcon::activated, slot.get(),
                         [owner, activations = TrayActivations()](
                             QSystemTrayIcon::ActivationReason reason) mutable {
                             const int message =
                                 activations.MessageOf(reason, SteadyNow(), DoubleClickInterval());
                             if (message != 0) {
                                 RunGuarded([&] { forms::DeliverTrayMessage(owner, message); });
                             }
                         });
    }
    Show(*slot, icon);
    return QSystemTrayIcon::isSystemTrayAvailable();
}

bool TrayIcons::Modify(const forms::TrayIcon& icon) {
    QSystemTrayIcon* shown = Find(icon.owner, icon.id);
    if (shown == nullptr) {
        return false;
    }
    Show(*shown, icon);
    return true;
}

bool TrayIcons::Delete(std::int32_t owner, int id) {
    auto found = icons_.find({owner, id});
    if (found == icons_.end()) {
        return false;
    }
    QSystemTrayIcon* icon = found->second.release();
    icons_.erase(found);
    icon->hide();
    DeleteWhenOutermost(icon);  // a handler of the icon's own activation may be running
    return true;
}

QSystemTrayIcon* TrayIcons::Find(std::int32_t owner, int id) const {
    auto found = icons_.find({owner, id});
    return found == icons_.end() ? nullptr : found->second.get();
}

void TrayIcons::Show(QSystemTrayIcon& shown, const forms::TrayIcon& icon) {
    const QIcon picture = IconOf(icon.icon);
    shown.setIcon(picture.isNull() ? ProgramIcon() : picture);
    shown.setToolTip(QString::fromStdString(icon.tip));  // cut by the host already
    shown.show();
}

}  // namespace frontend
