#pragma once

#include <sys/types.h>

#include <QPoint>
#include <QRect>
#include <QSize>
#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "e2e/commands.h"

// A real X display for a test: an X server of its own (Xvfb), optionally with a window manager
// (openbox) and a notification area (trayer) as a desktop session has them; the pointer and the
// keyboard are driven through that server (xdotool), as a user's are, and what the server shows is
// read back with xprop and xwininfo.
namespace desktop {

// Whether Xvfb and xdotool are installed; with `session`, also openbox, trayer, xprop and xwininfo.
bool DisplayToolsPresent(bool session = false);

// Skips the test when the tools are missing, unless CI requires the desktop tests
// (TOLLENWARK_DESKTOP_TESTS set): there the test fails instead.
#define SKIP_WITHOUT_DISPLAY_TOOLS(session)                                                 \
    if (!desktop::DisplayToolsPresent(session)) {                                           \
        ASSERT_EQ(std::getenv("TOLLENWARK_DESKTOP_TESTS"), nullptr)                         \
            << "the desktop test tools are needed here (scripts/setup-deps installs them)"; \
        GTEST_SKIP() << "the desktop test tools are not installed";                         \
    }

// How the window manager has a window (ICCCM WM_STATE): not managed at all (withdrawn or never
// shown), on the screen, or iconified.
enum class ManagedState { None, Normal, Iconic };

struct WindowOnScreen {
    bool mapped = false;  // viewable: mapped, and its parents too
    ManagedState state = ManagedState::None;
    bool skipsTaskbar = false;
};

class XDisplay {
  public:
    // Starts the server on a free display number, and with `session` the window manager and the
    // notification area, once the server takes connections; throws when one does not come up.
    explicit XDisplay(bool session = false);
    ~XDisplay();
    XDisplay(const XDisplay&) = delete;
    XDisplay& operator=(const XDisplay&) = delete;

    // ":N", as DISPLAY names it.
    const std::string& name() const { return name_; }
    QSize ScreenSize() const { return {1280, 1024}; }

    // Where the top-left corner of the process' visible window of that size is on the screen,
    // once there is one; nothing after the time-out.
    std::optional<QPoint> WaitForWindow(pid_t process, QSize size,
                                        std::chrono::milliseconds timeout) const;
    // The first visible window of the process whose title holds the text (any title for an empty
    // one), once there is one; nothing after the time-out.
    std::optional<unsigned long> WaitForVisibleWindow(pid_t process, const std::string& title,
                                                      std::chrono::milliseconds timeout) const;
    // Moves the pointer to the point of the screen and clicks the left button there (twice, a
    // double click).
    void Click(QPoint at) const;
    void DoubleClick(QPoint at) const;
    // Presses keys ("Up", "space", "alt+F4") on the window that has the keyboard, or types text.
    void Key(const std::string& keys) const;
    void Type(const std::string& text) const;
    // Makes the window the active one, as a click on its title would, and waits until it is.
    void Activate(unsigned long window) const;
    // Asks the window manager to close the window, as its close box or a taskbar's close does.
    void Close(unsigned long window) const;

    WindowOnScreen Inspect(unsigned long window) const;
    // A property of the window as xprop prints it ("NAME(TYPE) = value").
    std::string Property(unsigned long window, const std::string& name) const;
    // The window that has the keyboard.
    unsigned long ActiveWindow() const;
    // The window with its border and title, as the window manager framed it.
    QRect FrameOf(unsigned long window) const;

  private:
    e2e::CommandResult Tool(const std::string& tool,
                            const std::vector<std::string>& arguments) const;
    std::vector<unsigned long> VisibleWindowsOf(pid_t process) const;
    std::unique_ptr<e2e::BackgroundProcess> StartOnDisplay(const std::vector<std::string>& command,
                                                           const std::string& logName);

    std::filesystem::path output_;
    std::unique_ptr<e2e::BackgroundProcess> server_;
    std::unique_ptr<e2e::BackgroundProcess> windowManager_;
    std::unique_ptr<e2e::BackgroundProcess> tray_;
    std::string name_;
};

}  // namespace desktop
