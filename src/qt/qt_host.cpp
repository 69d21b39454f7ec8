#include "qt/qt_host.h"

#include <QApplication>
#include <QClipboard>
#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>
#include <QSocketNotifier>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <utility>

#include "forms/form_registry.h"
#include "qt/desktop_launch.h"
#include "qt/message_box_dialog.h"
#include "qt/open_dialog.h"
#include "qt/outermost_loop.h"
#include "qt/screen_areas.h"

namespace frontend {
namespace {

// What waits for the user's answer shows the ordinary pointer, even while the program shows the
// hourglass (a scan paused on a message box, say).
class OrdinaryPointer {
  public:
    explicit OrdinaryPointer(forms::MousePointer current)
        : busy_(current == forms::MousePointer::Hourglass) {
        if (busy_) {
            QApplication::setOverrideCursor(Qt::ArrowCursor);
        }
    }
    ~OrdinaryPointer() {
        if (busy_) {
            QApplication::restoreOverrideCursor();
        }
    }
    OrdinaryPointer(const OrdinaryPointer&) = delete;
    OrdinaryPointer& operator=(const OrdinaryPointer&) = delete;

  private:
    bool busy_;
};

}  // namespace

QtHost::QtHost() {
    formsObserver_ = forms::ObserveForms([](forms::Form&, forms::FormEvent event) {
        if (event == forms::FormEvent::Unloaded) {
            DestroyUnloadedFormsWhenOutermost();
        }
    });
}

QtHost::~QtHost() {
    forms::StopObservingForms(formsObserver_);
    SetMousePointer(forms::MousePointer::Default);
}

void QtHost::DoEvents() {
    if (sinceLastYield_.isValid() && sinceLastYield_.nsecsElapsed() < kYieldIntervalNs) {
        return;
    }
    sinceLastYield_.start();
    NestedLoopScope nested;
    const PaintThrottle::Holding onePaintAFrame(paintThrottle_);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

bool QtHost::WaitForSockets(const std::vector<int>& readable, const std::vector<int>& writable,
                            std::chrono::milliseconds limit) {
    QEventLoop loop;
    std::vector<std::unique_ptr<QSocketNotifier>> notifiers;
    for (const auto& [sockets, type] : {std::pair{&readable, QSocketNotifier::Read},
                                        std::pair{&writable, QSocketNotifier::Write}}) {
        for (const int socket : *sockets) {
            auto& notifier =
                notifiers.emplace_back(std::make_unique<QSocketNotifier>(socket, type));
            QObject::connect(notifier.get(), &QSocketNotifier::activated, &loop, &QEventLoop::quit);
        }
    }
    QTimer::singleShot(limit, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    NestedLoopScope nested;
    loop.exec();
    return true;
}

void QtHost::RunModal(forms::Form& form) {
    RunLoopWhileShown(form, true);
}

void QtHost::WaitWhileShown(forms::Form& form) {
    RunLoopWhileShown(form, false);
}

// The loop sleeps until an event comes; the window's hiding or unloading ends it.
void QtHost::RunLoopWhileShown(forms::Form& form, bool modal) {
    if (!form.IsLoaded() || !form.Visible()) {
        return;
    }
    QEventLoop loop;
    const forms::ObserverId watching = form.Observe([&form, &loop](const forms::Change& change) {
        if (change.control == nullptr && change.property == forms::Property::Visible &&
            !form.Visible()) {
            loop.quit();
        }
    });
    QPointer<FormWindow> window = modal ? renderer_.WindowOf(form) : nullptr;
    if (window) {
        window->SetModal(true);
    }
    {
        const OrdinaryPointer pointer(pointer_);
        NestedLoopScope nested;
        loop.exec();
    }
    form.StopObserving(watching);  // an unloaded form lives on until the outermost loop
    if (window) {
        window->SetModal(false);
    }
}

forms::MsgBoxResult QtHost::MsgBox(const std::string& text, int style, const std::string& title) {
    const OrdinaryPointer pointer(pointer_);
    NestedLoopScope nested;
    return ShowMessageBox(text, style, title);
}

std::optional<std::string> QtHost::ShowOpenDialog(const forms::OpenDialogRequest& request) {
    const OrdinaryPointer pointer(pointer_);
    NestedLoopScope nested;
    return ShowOpenFileDialog(request);
}

forms::TimerId QtHost::StartTimer(int intervalMs, std::function<void()> onTick) {
    return timers_.Start(intervalMs, std::move(onTick));
}

void QtHost::StopTimer(forms::TimerId id) {
    timers_.Stop(id);
}

platform::DateTime QtHost::Now() {
    return platform::LocalNow();
}

forms::PixelRect QtHost::ScreenRect() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen == nullptr ? forms::PixelRect{} : ToPixelRect(screen->geometry());
}

forms::PixelRect QtHost::TaskbarRect() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen == nullptr ? forms::PixelRect{}
                             : TaskbarOf(screen->geometry(), screen->availableGeometry());
}

void QtHost::SetMousePointer(forms::MousePointer pointer) {
    if (pointer == pointer_) {
        return;
    }
    if (pointer_ == forms::MousePointer::Hourglass) {
        QApplication::restoreOverrideCursor();
    }
    if (pointer == forms::MousePointer::Hourglass) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    pointer_ = pointer;
}

bool QtHost::LockWindowUpdate(std::int32_t hwnd) {
    if (hwnd != 0 && lockedWindow_ != 0 && lockedWindow_ != hwnd) {
        return false;
    }
    lockedWindow_ = hwnd;
    paintLock_.Lock(renderer_.WindowOf(hwnd));
    return true;
}

void QtHost::ClearClipboard() {
    QGuiApplication::clipboard()->clear();
}

void QtHost::SetClipboardText(const std::string& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

std::string QtHost::ClipboardText() {
    return QGuiApplication::clipboard()->text().toStdString();
}

bool QtHost::OpenDocument(const std::string& path) {
    return OpenWithDesktop(path);
}

bool QtHost::HasApplicationFor(const std::string& path) {
    return DesktopHasApplicationFor(path);
}

void QtHost::SetApplicationInTaskbar(bool shown) {
    renderer_.SetApplicationInTaskbar(shown);
}

bool QtHost::ApplicationInTaskbar() {
    return renderer_.ApplicationInTaskbar();
}

// At once: no further event, no destructor; files the program wrote are complete already.
void QtHost::EndProcess(int status) {
    std::fflush(nullptr);
    std::_Exit(status);
}

bool QtHost::TrayAdd(const forms::TrayIcon& icon) {
    return tray_.Add(icon);
}

bool QtHost::TrayModify(const forms::TrayIcon& icon) {
    return tray_.Modify(icon);
}

bool QtHost::TrayDelete(std::int32_t owner, int id) {
    return tray_.Delete(owner, id);
}

}  // namespace frontend
