#include "qt/window_menus.h"

#include <QMenuBar>

#include "qt/outermost_loop.h"
#include "qt/unhandled_errors.h"

namespace frontend {

WindowMenus::WindowMenus(forms::Form& form, QMainWindow& window) : form_(form), window_(window) {}

WindowMenus::~WindowMenus() {
    for (const auto& menu : barMenus_) {
        delete menu.data();
    }
}

std::vector<forms::Menu*> WindowMenus::MenusIn(const forms::Control* container) const {
    std::vector<forms::Menu*> menus;
    for (forms::Control* control : form_.Controls()) {
        if (control->Kind() == forms::ControlKind::Menu && control->Container() == container) {
            menus.push_back(static_cast<forms::Menu*>(control));
        }
    }
    return menus;
}

bool WindowMenus::HoldsItems(const forms::Menu& menu) const {
    return !MenusIn(&menu).empty();
}

void WindowMenus::Rebuild() {
    // Old menus may be showing (a handler of one of them may be running): they go later.
    for (const auto& menu : barMenus_) {
        if (menu) {
            DeleteWhenOutermost(menu);
        }
    }
    barMenus_.clear();
    actions_.clear();
    const std::vector<forms::Menu*> top = MenusIn(nullptr);
    if (top.empty() && window_.menuWidget() == nullptr) {
        return;
    }
    QMenuBar* bar = window_.menuBar();
    bar->clear();
    for (forms::Menu* menu : top) {
        QMenu* shown = BuildMenu(*menu);
        barMenus_.emplace_back(shown);
        bar->addMenu(shown);
    }
    bar->setVisible(!top.empty());
}

QMenu* WindowMenus::BuildMenu(forms::Menu& menu) {
    auto* shown = new QMenu;
    actions_[&menu] = shown->menuAction();
    Apply(menu);
    QObject::connect(shown, &QMenu::aboutToShow, shown, [this, &menu] { Choose(menu); });
    AddItems(*shown, menu);
    return shown;
}

void WindowMenus::AddItems(QMenu& shown, forms::Menu& menu) {
    for (forms::Menu* item : MenusIn(&menu)) {
        if (HoldsItems(*item)) {
            QMenu* submenu = BuildMenu(*item);
            submenu->setParent(&shown, submenu->windowFlags());
            shown.addMenu(submenu);
            continue;
        }
        QAction* action = shown.addAction(QString());
        actions_[item] = action;
        Apply(*item);
        QObject::connect(action, &QAction::triggered, action, [this, item] { Choose(*item); });
    }
}

void WindowMenus::Apply(forms::Menu& menu) {
    auto found = actions_.find(&menu);
    if (found == actions_.end() || !found->second) {
        return;
    }
    QAction& action = *found->second;
    action.setSeparator(menu.IsSeparator());
    // Some styles draw a separator's text beside its line; the "-" is only the model's mark.
    action.setText(menu.IsSeparator() ? QString() : QString::fromStdString(menu.Caption()));
    action.setVisible(menu.Visible());
    action.setEnabled(menu.Enabled());
    action.setCheckable(menu.Checked());
    action.setChecked(menu.Checked());
}

void WindowMenus::Choose(forms::Menu& menu) {
    if (!alive_) {
        return;
    }
    RunGuarded([&] { menu.Click(); });
    if (alive_) {
        Apply(menu);  // Qt ticks a checkable item itself; the model decides
    }
}

int WindowMenus::BarHeight() const {
    QWidget* bar = window_.menuWidget();
    return bar != nullptr && !bar->isHidden() ? bar->sizeHint().height() : 0;
}

}  // namespace frontend
