#pragma once

#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <unordered_map>
#include <vector>

#include "forms/change.h"
#include "forms/form.h"
#include "forms/menu.h"

namespace frontend {

// The menu bar of a window: menus without a container are the bar's menus, menus held by another
// menu its items (an item holding items is a submenu), in design order. A caption of "-" is a
// separator. Choosing an item calls its Click(); opening a bar menu calls that menu's Click().
class WindowMenus {
  public:
    WindowMenus(forms::Form& form, QMainWindow& window);
    ~WindowMenus();
    WindowMenus(const WindowMenus&) = delete;
    WindowMenus& operator=(const WindowMenus&) = delete;

    // Builds the bar anew (menus added, removed or moved).
    void Rebuild();
    // Shows a changed property of one menu.
    void Apply(forms::Menu& menu);
    // The window went away: nothing reaches the model any more.
    void Kill() { alive_ = false; }
    // The height of the bar in pixels; 0 without menus.
    int BarHeight() const;

  private:
    QMenu* BuildMenu(forms::Menu& menu);
    void AddItems(QMenu& shown, forms::Menu& menu);
    bool HoldsItems(const forms::Menu& menu) const;
    std::vector<forms::Menu*> MenusIn(const forms::Control* container) const;
    void Choose(forms::Menu& menu);

    forms::Form& form_;
    QMainWindow& window_;
    bool alive_ = true;
    std::vector<QPointer<QMenu>> barMenus_;
    std::unordered_map<forms::Menu*, QPointer<QAction>> actions_;
};

}  // namespace frontend
