// Every control of every window takes the pointer where it is drawn: a press and release sent
// through the window system at a control's centre reach that control's own widget, whatever else
// lies in the window. Qt's own hit-testing picks the receiver, as for a user's mouse.
#include <QApplication>
#include <QImage>
#include <QTest>
#include <QWindow>
#include <set>
#include <string>
#include <vector>

#include "forms/timer.h"
#include "foundation/brand.h"
#include "foundation/globals.h"
#include "foundation/machine_settings.h"
#include "foundation/settings_store.h"
#include "localization/globals.h"
#include "qt_fixture.h"
#include "support/windows_catalog.h"
#include "ui/frm_about.h"
#include "ui/frm_delete.h"
#include "ui/frm_download.h"
#include "ui/frm_home_page_changed_alert.h"
#include "ui/frm_language.h"
#include "ui/frm_main.h"
#include "ui/frm_menu_popup.h"
#include "ui/frm_report.h"
#include "ui/frm_signature_updated.h"
#include "ui/frm_splash.h"
#include "ui/frm_spyware_found_alert.h"
#include "ui/frm_website.h"
#include "ui/globals.h"

namespace {

// Notes which widget of the window Qt hands each mouse press and release, and keeps every mouse
// event from the window's widgets, so that probing a control runs none of its commands. Other
// receivers (the browser engine's own objects among them) are left alone, not even asked what
// they are.
class MouseReceivers final : public QObject {
  public:
    explicit MouseReceivers(QWidget& window) {
        const QList<QWidget*> inside = window.findChildren<QWidget*>();
        widgets_ = {inside.begin(), inside.end()};
        widgets_.insert(&window);
        qApp->installEventFilter(this);
    }
    ~MouseReceivers() override { qApp->removeEventFilter(this); }

    QWidget* pressed = nullptr;
    QWidget* released = nullptr;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (!widgets_.contains(watched) ||
            (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
             type != QEvent::MouseButtonDblClick && type != QEvent::MouseMove)) {
            return false;
        }
        QWidget*& receiver = type == QEvent::MouseButtonPress     ? pressed
                             : type == QEvent::MouseButtonRelease ? released
                                                                  : ignored_;
        if (receiver == nullptr) {
            receiver = static_cast<QWidget*>(watched);
        }
        return true;
    }

  private:
    std::set<const QObject*> widgets_;
    QWidget* ignored_ = nullptr;
};

std::string Describe(const forms::Control& control) {
    std::string text = control.Parent().Name() + "." + control.Name();
    if (control.Index()) {
        text += "(" + std::to_string(*control.Index()) + ")";
    }
    return text;
}

bool Within(const QWidget& widget, const QWidget* receiver) {
    return receiver == &widget || (receiver != nullptr && widget.isAncestorOf(receiver));
}

// Where the widget draws itself: its mask when it draws only part of its rectangle.
QPoint CentreOf(const QWidget& widget) {
    const QRegion mask = widget.mask();
    return (mask.isEmpty() ? widget.rect() : mask.boundingRect()).center();
}

// Whether the point of the widget shows in its window: inside every widget it lies in.
bool ShowsInWindow(const QWidget& widget, QPoint point) {
    for (const QWidget* area = &widget; area != nullptr; area = area->parentWidget()) {
        if (!area->rect().contains(widget.mapTo(area, point))) {
            return false;
        }
        if (area->isWindow()) {
            break;
        }
    }
    return true;
}

class PointerReachTest : public QtHostTest {
  protected:
    PointerReachTest() {
        ResetProgramGlobals();
        // Not a first run: the start-up asks nothing and opens no help.
        InitBrandSettings();
        SaveSetting(gProgramName, "Settings", "Language", "English");
        SaveSetting(gProgramName, "Settings", "showHelp", "0");
        SaveMachineSetting(gProgramName, "Settings", "FirstTime", "Yes");
    }
    ~PointerReachTest() override {
        forms::DestroyAllForms();
        ResetProgramGlobals();
    }

    static void ResetProgramGlobals() {
        ResetFoundationGlobals();
        ResetLocalizationGlobals();
        ResetUiGlobals();
    }

    // Shows the window and holds it still: no timer of its own moves, hides or unloads it.
    void ShowStill(forms::Form& window) {
        window.Show();
        for (forms::Control* control : window.Controls()) {
            if (auto* timer = dynamic_cast<forms::Timer*>(control)) {
                timer->SetEnabled(false);
            }
        }
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&WindowOf(window)));
        ProcessEvents();
        probed.insert(window.Name());
    }

    // Presses and releases the left button at the centre of every control the user can see and
    // use, through the window; each press and release must reach the control's own widget.
    void ProbeEveryControl(forms::Form& window, const std::string& shown) {
        frontend::FormWindow& formWindow = WindowOf(window);
        QWindow* handle = formWindow.windowHandle();
        ASSERT_NE(handle, nullptr);
        for (forms::Control* control : window.Controls()) {
            const frontend::ControlView* view = formWindow.ViewOf(*control);
            if (view == nullptr) {
                continue;
            }
            const QWidget& widget = *view->widget();
            const QPoint centre = CentreOf(widget);
            if (!widget.isVisible() || !widget.isEnabled() ||
                widget.testAttribute(Qt::WA_TransparentForMouseEvents) ||
                !ShowsInWindow(widget, centre)) {
                continue;
            }
            const QPoint at = widget.mapTo(&formWindow, centre);
            MouseReceivers receivers(formWindow);
            QTest::mousePress(handle, Qt::LeftButton, Qt::NoModifier, at);
            QTest::mouseRelease(handle, Qt::LeftButton, Qt::NoModifier, at);
            ++probes;
            EXPECT_TRUE(Within(widget, receivers.pressed) && Within(widget, receivers.released))
                << Describe(*control) << " (" << shown << ") does not take the pointer at its "
                << "centre; the press went to "
                << (receivers.pressed ? receivers.pressed->objectName().toStdString() : "nothing");
        }
    }

    std::set<std::string> probed;
    int probes = 0;
};

TEST_F(PointerReachTest, EveryControlOfEveryWindowTakesThePressAndReleaseAtItsCentre) {
    FrmMainForm& main = FrmMain();
    ShowStill(main);
    for (forms::Frame* panel : {&main.frmStatus, &main.frmScan, &main.frmResults}) {
        main.HideAllPanels();
        panel->SetVisible(true);
        ProbeEveryControl(main, panel->Name());
    }
    main.HideAllPanels();
    main.frmOptions.SetVisible(true);
    for (int tab = 1; tab <= main.TabStrip1.Tabs.Count(); ++tab) {
        main.TabStrip1.Select(tab);
        ProbeEveryControl(main, main.TabStrip1.Tabs(tab).Caption());
    }

    for (forms::Form* window : std::initializer_list<forms::Form*>{
             &frmSplash(), &frmLanguage(), &frmSpywareFoundAlert(), &frmHomePageChangedAlert(),
             &frmDelete(), &frmReport(), &frmMenuPopUp(), &frmAbout(), &frmSignatureUpdated(),
             &frmDownload(), &frmWebsite()}) {
        ShowStill(*window);
        ProbeEveryControl(*window, "shown");
    }

    for (const auto& window : DesignedWindows()) {
        if (!window->Controls().empty()) {
            EXPECT_TRUE(probed.contains(window->Name())) << window->Name() << " was not probed";
        }
    }
    EXPECT_GT(probes, 200) << "the windows' controls were probed";
}

// How many pixels of the widget, as drawn, are tinted blue, as the link colour is (grey is not).
int BluePixels(QWidget& widget) {
    const QImage picture = widget.grab().toImage();
    int count = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QColor pixel = picture.pixelColor(x, y);
            count += pixel.blue() - pixel.red() > 40 ? 1 : 0;
        }
    }
    return count;
}

// How many pixels differ from the top left one, the label's background: its caption.
int WrittenPixels(QWidget& widget) {
    const QImage picture = widget.grab().toImage();
    int count = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            count += picture.pixel(x, y) != picture.pixel(0, 0) ? 1 : 0;
        }
    }
    return count;
}

// The side menu's commands are labels written in the link colour; one that cannot be used now
// is written in grey instead, so that it does not look as usable as the others.
TEST_F(PointerReachTest, ADisabledSideMenuLabelLosesItsLinkColour) {
    FrmMainForm& main = FrmMain();
    ShowStill(main);
    frontend::FormWindow& window = WindowOf(main);
    QWidget& options = *window.ViewOf(main.lblOptions)->widget();
    QWidget& result = *window.ViewOf(main.lblResult)->widget();
    EXPECT_GT(BluePixels(options), 0);

    const QPoint at = options.mapTo(&window, options.rect().center());
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
    ASSERT_FALSE(main.lblOptions.Enabled()) << "the click on Options reached the label";
    EXPECT_TRUE(main.frmOptions.Visible());
    EXPECT_EQ(BluePixels(options), 0) << "a disabled label is grey";
    EXPECT_GT(WrittenPixels(options), 0) << "and still shows its caption";
    EXPECT_GT(BluePixels(result), 0) << "an enabled one keeps its colour";
}

}  // namespace
