// Double clicks on the tray icons as Qt delivers them: a right double click comes as two context
// activations, and only the desktop's double-click interval tells it from two right clicks.
#include <QGuiApplication>
#include <QStyleHints>
#include <QSystemTrayIcon>
#include <chrono>
#include <thread>

#include "forms/form_registry.h"
#include "main_window_fixture.h"
#include "ui/frm_download.h"
#include "ui/frm_menu_popup.h"

namespace {

using namespace std::chrono_literals;

class TrayDoubleClick : public QtMainWindowTest {
  protected:
    TrayDoubleClick() { QGuiApplication::styleHints()->setMouseDoubleClickInterval(150); }
    ~TrayDoubleClick() override {
        QGuiApplication::styleHints()->setMouseDoubleClickInterval(desktopInterval_);
    }

    // The offscreen desktop has no notification area, so Send to Tray only minimises the window;
    // it is hidden here as it is where the icon shows.
    void SendToTray() {
        main->Command5.Click();
        main->Hide();
        ProcessEvents();
    }

    QSystemTrayIcon& IconOf(const forms::Form& owner) {
        QSystemTrayIcon* icon = host.trayIcons().Find(owner.Hwnd(), 1);
        if (icon == nullptr) {
            throw std::logic_error(owner.Name() + " has no tray icon");
        }
        return *icon;
    }

    // Two right clicks on the icon, the given time apart, delivered as Qt delivers them; the first
    // one comes too late to pair with any click before.
    void RightClickTwice(QSystemTrayIcon& icon, std::chrono::milliseconds apart) {
        std::this_thread::sleep_for(300ms);
        emit icon.activated(QSystemTrayIcon::Context);
        ProcessEvents();
        std::this_thread::sleep_for(apart);
        emit icon.activated(QSystemTrayIcon::Context);
        ProcessEvents();
    }

    bool Shown(const forms::Form& window) {
        return window.Visible() && WindowOf(window).isVisible();
    }

  private:
    int desktopInterval_ = QGuiApplication::styleHints()->mouseDoubleClickInterval();
};

TEST_F(TrayDoubleClick, ARightDoubleClickBringsTheMainWindowBackAndTwoRightClicksDoNot) {
    SendToTray();
    RightClickTwice(IconOf(*main), 300ms);
    EXPECT_FALSE(Shown(*main)) << "two right clicks further apart than a double click";
    EXPECT_TRUE(frmMenuPopUp().Visible()) << "a right click opens the tray menu";

    RightClickTwice(IconOf(*main), 0ms);
    EXPECT_TRUE(Shown(*main));
    EXPECT_EQ(main->WindowState(), forms::WindowState::Normal);

    // A third quick right click starts a new pair rather than making a second double click.
    main->Hide();
    emit IconOf(*main).activated(QSystemTrayIcon::Context);
    ProcessEvents();
    EXPECT_FALSE(Shown(*main));
}

TEST_F(TrayDoubleClick, OnTheDownloadWindowsIconOnlyTheLeftDoubleClickShowsIt) {
    FrmDownloadForm& download = frmDownload();
    ProcessEvents();
    ASSERT_FALSE(Shown(download));

    RightClickTwice(IconOf(download), 0ms);
    EXPECT_FALSE(Shown(download));

    emit IconOf(download).activated(QSystemTrayIcon::DoubleClick);
    ProcessEvents();
    EXPECT_TRUE(Shown(download));
    EXPECT_EQ(download.WindowState(), forms::WindowState::Normal);
}

}  // namespace
