// Double clicks on the tray icons as Qt delivers them: a right double click comes as two context
// activations, and only the desktop's double-click interval tells it from two right clicks.
#include <QGuiApplication>
#include <QStyleHints>
#include <QSystemTrayIcon>
#include <chrono>
#include <thread>

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

    // A right click on the owner's icon as Qt reports it.
    void RightClick(const forms::Form& owner) {
        emit host.trayIcons().Find(owner.Hwnd(), 1)->activated(QSystemTrayIcon::Context);
        ProcessEvents();
    }

    // Two right clicks the given time apart; the first comes too late to pair with any before.
    void RightClickTwice(const forms::Form& owner, std::chrono::milliseconds apart) {
        std::this_thread::sleep_for(300ms);
        RightClick(owner);
        std::this_thread::sleep_for(apart);
        RightClick(owner);
    }

    bool Shown(const forms::Form& window) {
        return window.Visible() && WindowOf(window).isVisible();
    }

  private:
    int desktopInterval_ = QGuiApplication::styleHints()->mouseDoubleClickInterval();
};

TEST_F(TrayDoubleClick, ARightDoubleClickBringsTheMainWindowBackAndTwoRightClicksDoNot) {
    // The offscreen desktop has no notification area, so Send to Tray only minimises the window;
    // it is hidden here as it is where the icon shows.
    main->Command5.Click();
    main->Hide();
    ASSERT_NE(host.trayIcons().Find(main->Hwnd(), 1), nullptr);

    RightClickTwice(*main, 300ms);
    EXPECT_FALSE(Shown(*main));
    EXPECT_TRUE(frmMenuPopUp().Visible()) << "a right click opens the tray menu";

    RightClickTwice(*main, 0ms);
    EXPECT_TRUE(Shown(*main));
    EXPECT_EQ(main->WindowState(), forms::WindowState::Normal);

    // A third quick right click starts a new pair rather than making a second double click.
    main->Hide();
    RightClick(*main);
    EXPECT_FALSE(Shown(*main));
}

TEST_F(TrayDoubleClick, OnTheDownloadWindowsIconOnlyTheLeftDoubleClickShowsIt) {
    FrmDownloadForm& download = frmDownload();
    RightClickTwice(download, 0ms);
    EXPECT_FALSE(Shown(download));

    emit host.trayIcons().Find(download.Hwnd(), 1)->activated(QSystemTrayIcon::DoubleClick);
    ProcessEvents();
    EXPECT_TRUE(Shown(download));
}

}  // namespace
