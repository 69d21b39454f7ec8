#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "forms/geometry.h"
#include "forms/message_box.h"
#include "platform/us_date.h"

// The host: the event loop and the desktop services the windows use. One host serves the process;
// the Qt front end installs its own, tests install a TestHost (test_host.h).
namespace forms {

class Form;

enum class MousePointer { Default = 0, Hourglass = 11 };

// A tray icon. Its messages reach the owning window's Form_TrayMessage (see DeliverTrayMessage).
struct TrayIcon {
    std::int32_t owner = 0;  // handle of the owning window
    int id = 1;              // one owner may have several icons, told apart by id
    std::string tip;         // at most kTrayTipLimit characters; the host cuts longer tips
    ImageId icon;
    bool operator==(const TrayIcon&) const = default;
};
inline constexpr std::size_t kTrayTipLimit = 63;

// The message numbers a tray icon delivers.
namespace tray_message {
inline constexpr int MouseMove = 512;
inline constexpr int LeftButtonDown = 513;
inline constexpr int LeftButtonUp = 514;
inline constexpr int LeftDoubleClick = 515;
inline constexpr int RightButtonDown = 516;
inline constexpr int RightButtonUp = 517;
inline constexpr int RightDoubleClick = 518;
}  // namespace tray_message

// What an Open dialog is asked to show.
struct OpenDialogRequest {
    std::string title;
    std::string filter;  // "Text files (*.txt)|*.txt|All files (*.*)|*.*"
    std::string initialFolder;
    std::string fileName;
};

using TimerId = std::uint64_t;

// The exit status of a process that ends on an error no handler of the program caught.
inline constexpr int kFailedEnd = 1;

class Host {
  public:
    virtual ~Host() = default;

    // Lets pending events run (input, timer ticks, repaints), then returns. Re-entrant: a handler
    // run from here may call it again.
    virtual void DoEvents() = 0;
    // Runs the event loop, sleeping between events, until one of these file descriptors can be
    // read or written or the time is up; returns whether it waited (a host without such a loop
    // leaves the waiting to its caller).
    virtual bool WaitForSockets(const std::vector<int>& readable, const std::vector<int>& writable,
                                std::chrono::milliseconds limit) = 0;
    // Runs the event loop until the window is hidden or unloaded (Form::Show with ShowMode::Modal).
    virtual void RunModal(Form& form) = 0;
    // The same for a window that leaves the others usable: the caller waits, blocked in the loop
    // (never polling it), until the window is hidden or unloaded.
    virtual void WaitWhileShown(Form& form) = 0;
    // A modal box; the caller (forms::MsgBox) has already put the application title in place of an
    // empty one. Returns the button pressed.
    virtual MsgBoxResult MsgBox(const std::string& text, int style, const std::string& title) = 0;
    // The chosen file, or nothing when the user cancelled.
    virtual std::optional<std::string> ShowOpenDialog(const OpenDialogRequest& request) = 0;

    // Calls onTick every intervalMs milliseconds until stopped. Ticks that could not be delivered
    // in time are merged into one; ticks are also delivered inside nested loops (modal windows,
    // message boxes, DoEvents). Stopping an unknown or stopped timer does nothing.
    virtual TimerId StartTimer(int intervalMs, std::function<void()> onTick) = 0;
    virtual void StopTimer(TimerId id) = 0;

    // The local date and time.
    virtual platform::DateTime Now() = 0;

    // The whole screen and the taskbar, in pixels; no taskbar gives an empty rectangle.
    virtual PixelRect ScreenRect() = 0;
    virtual PixelRect TaskbarRect() = 0;
    virtual void SetMousePointer(MousePointer pointer) = 0;
    virtual MousePointer GetMousePointer() = 0;
    // Stops redrawing the window with this handle until released with 0. Only one window is locked
    // at a time; false when another one is.
    virtual bool LockWindowUpdate(std::int32_t hwnd) = 0;

    virtual void ClearClipboard() = 0;
    virtual void SetClipboardText(const std::string& text) = 0;
    virtual std::string ClipboardText() = 0;

    // The tray icon calls; tips are cut to kTrayTipLimit characters. False when the desktop
    // refused.
    bool AddTrayIcon(const TrayIcon& icon);
    bool ModifyTrayIcon(const TrayIcon& icon);
    bool DeleteTrayIcon(std::int32_t owner, int id);

    // Opens a document (a Windows path) with the desktop's default application, without waiting.
    virtual bool OpenDocument(const std::string& path) = 0;
    // Whether the desktop names an application that opens the document (a Windows path); false
    // also when it cannot be asked.
    virtual bool HasApplicationFor(const std::string& path) = 0;

    // The application's entry in the taskbar.
    virtual void SetApplicationInTaskbar(bool shown) = 0;
    virtual bool ApplicationInTaskbar() = 0;
    // Ends the process at once: no further events run, windows are abandoned. The status is the
    // process' exit status: 0 for every end the program chose, kFailedEnd after an error.
    [[noreturn]] virtual void EndProcess(int status = 0) = 0;

  protected:
    virtual bool TrayAdd(const TrayIcon& icon) = 0;
    virtual bool TrayModify(const TrayIcon& icon) = 0;
    virtual bool TrayDelete(std::int32_t owner, int id) = 0;
};

// The installed host. Throws std::logic_error when none is installed.
Host& CurrentHost();
bool HasHost();
void SetCurrentHost(Host* host);

// Installs a host for the life of this object and puts the previous one back afterwards.
class ScopedHost {
  public:
    explicit ScopedHost(Host& host);
    ~ScopedHost();
    ScopedHost(const ScopedHost&) = delete;
    ScopedHost& operator=(const ScopedHost&) = delete;

  private:
    Host* previous_;
};

// CurrentHost().DoEvents().
void DoEvents();

// Hands a tray icon's message to the loaded window with that handle; ignored when none is loaded.
void DeliverTrayMessage(std::int32_t owner, int message);

// The first kTrayTipLimit characters of a tip (whole UTF-8 characters).
std::string CutTrayTip(const std::string& tip);

}  // namespace forms
