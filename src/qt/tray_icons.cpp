#include "qt/tray_icons.h"

#include "qt/outermost_loop.h"
#include "qt/pictures.h"
#include "qt/unhandled_errors.h"

namespace frontend {

int TrayMessageOf(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
        case QSystemTrayIcon::Trigger:
            return forms::tray_message::LeftButtonDown;
        case QSystemTrayIcon::DoubleClick:
            return forms::tray_message::LeftDoubleClick;
        case QSystemTrayIcon::Context:
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
                         [owner](QSystemTrayIcon::ActivationReason reason) {
                             if (const int message = TrayMessageOf(reason)) {
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
