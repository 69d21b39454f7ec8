#pragma once

#include <sys/types.h>

#include <QPoint>
#include <QSize>
#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "e2e/commands.h"

// A real X display for a test: an X server of its own (Xvfb) and the pointer moved and clicked
// through that server (xdotool), as a user's mouse is.
namespace desktop {

// Whether Xvfb and xdotool are installed.
bool DisplayToolsPresent();

class XDisplay {
  public:
    // Starts the server on a free display number; throws when it does not come up.
    XDisplay();
    ~XDisplay();
    XDisplay(const XDisplay&) = delete;
    XDisplay& operator=(const XDisplay&) = delete;

    // ":N", as DISPLAY names it.
    const std::string& name() const { return name_; }

    // Where the top-left corner of the process' visible window of that size is on the screen,
    // once there is one; nothing after the time-out.
    std::optional<QPoint> WaitForWindow(pid_t process, QSize size,
                                        std::chrono::milliseconds timeout) const;
    // Moves the pointer to the point of the screen and clicks the left button there.
    void Click(QPoint at) const;

  private:
    e2e::CommandResult Xdotool(const std::vector<std::string>& arguments) const;

    std::filesystem::path output_;
    std::unique_ptr<e2e::BackgroundProcess> server_;
    std::string name_;
};

}  // namespace desktop
