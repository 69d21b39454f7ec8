#pragma once

#include <QElapsedTimer>
#include <cstdint>

#include "forms/host.h"
#include "qt/form_renderer.h"
#include "qt/host_timers.h"
#include "qt/paint_throttle.h"
#include "qt/tray_icons.h"
#include "qt/window_paint_lock.h"

namespace frontend {

// The host on Qt's event loop: message boxes, modal windows and DoEvents run the loop (nested),
// timers are Qt timers, the desktop services are Qt's. It also shows every loaded window
// (FormRenderer). A QApplication must exist for its whole life; install it with
// forms::SetCurrentHost or forms::ScopedHost.
class QtHost final : public forms::Host {
  public:
    QtHost();
    ~QtHost() override;

    void DoEvents() override;
    bool WaitForSockets(const std::vector<int>& readable, const std::vector<int>& writable,
                        std::chrono::milliseconds limit) override;
    void RunModal(forms::Form& form) override;
    void WaitWhileShown(forms::Form& form) override;
    forms::MsgBoxResult MsgBox(const std::string& text, int style,
                               const std::string& title) override;
    std::optional<std::string> ShowOpenDialog(const forms::OpenDialogRequest& request) override;

    forms::TimerId StartTimer(int intervalMs, std::function<void()> onTick) override;
    void StopTimer(forms::TimerId id) override;
    platform::DateTime Now() override;

    forms::PixelRect ScreenRect() override;
    forms::PixelRect TaskbarRect() override;
    void SetMousePointer(forms::MousePointer pointer) override;
    forms::MousePointer GetMousePointer() override { return pointer_; }
    bool LockWindowUpdate(std::int32_t hwnd) override;

    void ClearClipboard() override;
    void SetClipboardText(const std::string& text) override;
    std::string ClipboardText() override;

    bool OpenDocument(const std::string& path) override;
    bool HasApplicationFor(const std::string& path) override;
    void SetApplicationInTaskbar(bool shown) override;
    bool ApplicationInTaskbar() override;
    [[noreturn]] void EndProcess(int status = 0) override;

    FormRenderer& renderer() { return renderer_; }
    TrayIcons& trayIcons() { return tray_; }
    const HostTimers& timers() const { return timers_; }

  protected:
    bool TrayAdd(const forms::TrayIcon& icon) override;
    bool TrayModify(const forms::TrayIcon& icon) override;
    bool TrayDelete(std::int32_t owner, int id) override;

  private:
    void RunLoopWhileShown(forms::Form& form, bool modal);

    static constexpr int kFrameMs = 16;  // a screen's refresh at 60 Hz
    // A scan yields once or twice per item, hundreds of thousands of times, and a pass of the loop
    // costs a microsecond or two even when nothing waits: yields closer together than this are let
    // go, so input still waits no longer than a quarter of a frame.
    static constexpr qint64 kYieldIntervalNs = 4'000'000;

    FormRenderer renderer_;
    HostTimers timers_;
    TrayIcons tray_;
    PaintThrottle paintThrottle_{kFrameMs};
    QElapsedTimer sinceLastYield_;
    WindowPaintLock paintLock_;
    forms::ObserverId formsObserver_;
    forms::MousePointer pointer_ = forms::MousePointer::Default;
    std::int32_t lockedWindow_ = 0;
};

}  // namespace frontend
