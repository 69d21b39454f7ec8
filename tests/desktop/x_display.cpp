#include "desktop/x_display.h"

#include <signal.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <map>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "qt/window_system_state.h"

namespace desktop {
namespace {

using namespace std::chrono_literals;

bool OnPath(const std::string& program) {
    std::istringstream folders(std::getenv("PATH") ? std::getenv("PATH") : "");
    for (std::string folder; std::getline(folders, folder, ':');) {
        if (!folder.empty() && ::access((folder + "/" + program).c_str(), X_OK) == 0) {
            return true;
        }
    }
    return false;
}

// The display number Xvfb writes once it takes connections: a line of digits alone.
std::optional<std::string> WrittenDisplayNumber(const std::string& output) {
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.find_first_not_of("0123456789") == std::string::npos) {
            return line;
        }
    }
    return std::nullopt;
}

// "NAME=value" lines, as xdotool's --shell output has them.
std::map<std::string, int> ShellValues(const std::string& output) {
    std::map<std::string, int> values;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        if (const auto equals = line.find('='); equals != std::string::npos) {
            values[line.substr(0, equals)] = std::atoi(line.c_str() + equals + 1);
        }
    }
    return values;
}

std::string LineAfter(const std::string& text, const std::string& label) {
    const auto at = text.find(label);
    if (at == std::string::npos) {
        return {};
    }
    const auto start = at + label.size();
    return text.substr(start, text.find('\n', start) - start);
}

int NumberAfter(const std::string& text, const std::string& label) {
    return std::atoi(LineAfter(text, label).c_str());
}

}  // namespace

bool DisplayToolsPresent(bool session) {
    const bool display = OnPath("Xvfb") && OnPath("xdotool");
    return display && (!session || (OnPath("openbox") && OnPath("trayer") && OnPath("xprop") &&
                                    OnPath("xwininfo")));
}

XDisplay::XDisplay(bool session)
    : output_(std::filesystem::temp_directory_path() /
              ("tollenwark-xvfb-" + std::to_string(::getpid()) + ".txt")) {
    server_ = std::make_unique<e2e::BackgroundProcess>(
        std::vector<std::string>{"Xvfb", "-displayfd", "1", "-screen", "0", "1280x1024x24",
                                 "-nolisten", "tcp"},
        e2e::ChildEnvironment(), output_);
    std::optional<std::string> number;
    e2e::WaitUntil(
        [&] {
            number = WrittenDisplayNumber(e2e::ReadWholeFile(output_));
            return number || !server_->Running();
        },
        20s, 20ms);
    if (!number) {
        throw std::runtime_error("Xvfb did not start: " + e2e::ReadWholeFile(output_));
    }
    name_ = ":" + *number;
    if (!session) {
        return;
    }
    windowManager_ = StartOnDisplay({"openbox", "--sm-disable"}, "openbox");
    if (!e2e::WaitUntil(
            [&] {
                return Tool("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"})
                           .output.find("window id") != std::string::npos;
            },
            20s, 50ms)) {
        throw std::runtime_error("openbox did not start");
    }
    // A notification area at the bottom right, as a panel, taking its strip off the work area.
    // Now and then it does not come up beside a window manager that has only just started: it is
    // started again then.
    for (int attempt = 1; !tray_; ++attempt) {
        tray_ = StartOnDisplay(
            {"trayer", "--edge", "bottom", "--align", "right", "--widthtype", "request", "--height",
             "24", "--SetDockType", "true", "--SetPartialStrut", "true", "--transparent", "false"},
            "trayer");
        if (e2e::WaitUntil(
                [&] {
                    return !Tool("xdotool", {"search", "--onlyvisible", "--class", "trayer"})
                                .output.empty();
                },
                5s, 50ms)) {
            break;
        }
        tray_.reset();
        if (attempt == 3) {
            throw std::runtime_error("trayer did not start");
        }
    }
}

std::unique_ptr<e2e::BackgroundProcess> XDisplay::StartOnDisplay(
    const std::vector<std::string>& command, const std::string& logName) {
    e2e::ChildEnvironment environment;
    environment.Set("DISPLAY", name_);
    return std::make_unique<e2e::BackgroundProcess>(command, environment,
                                                    output_.string() + "." + logName + ".txt");
}

// Ended as a session ends it, so that it takes its socket and lock file away.
XDisplay::~XDisplay() {
    for (auto* process : {&tray_, &windowManager_, &server_}) {
        if (*process) {
            (*process)->Signal(SIGTERM);
            (*process)->WaitForEnd(5s);
            process->reset();
        }
    }
    for (const char* log : {"", ".openbox.txt", ".trayer.txt"}) {
        std::filesystem::remove(output_.string() + log);
    }
}

e2e::CommandResult XDisplay::Tool(const std::string& tool,
                                  const std::vector<std::string>& arguments) const {
    std::vector<std::string> command = {tool};
    command.insert(command.end(), arguments.begin(), arguments.end());
    e2e::ChildEnvironment environment;
    environment.Set("DISPLAY", name_);
    return e2e::RunCommand(command, environment, 10s);
}

std::vector<unsigned long> XDisplay::VisibleWindowsOf(pid_t process) const {
    std::istringstream found(
        Tool("xdotool", {"search", "--onlyvisible", "--pid", std::to_string(process)}).output);
    std::vector<unsigned long> windows;
    for (unsigned long window = 0; found >> window;) {
        windows.push_back(window);
    }
    return windows;
}

std::optional<QPoint> XDisplay::WaitForWindow(pid_t process, QSize size,
                                              std::chrono::milliseconds timeout) const {
    std::optional<QPoint> found;
    e2e::WaitUntil(
        [&] {
            for (const unsigned long window : VisibleWindowsOf(process)) {
                auto values = ShellValues(
                    Tool("xdotool", {"getwindowgeometry", "--shell", std::to_string(window)})
                        .output);
                if (values["WIDTH"] == size.width() && values["HEIGHT"] == size.height()) {
                    found = QPoint(values["X"], values["Y"]);
                }
            }
            return found.has_value();
        },
        timeout, 100ms);
    return found;
}

namespace {

// The pointer goes there by way of a point beside it: waiting for it to arrive where it is already
// would wait for ever.
std::vector<std::string> PointerTo(QPoint at) {
    return {"mousemove", std::to_string(at.x() + 1), std::to_string(at.y()), "mousemove",
            "--sync",    std::to_string(at.x()),     std::to_string(at.y())};
}

}  // namespace

void XDisplay::Click(QPoint at) const {
    std::vector<std::string> command = PointerTo(at);
    command.insert(command.end(), {"click", "1"});
    if (const auto result = Tool("xdotool", command); result.exitCode != 0) {
        throw std::runtime_error("xdotool could not click: " + result.output);
    }
}

void XDisplay::DoubleClick(QPoint at) const {
    std::vector<std::string> command = PointerTo(at);
    command.insert(command.end(), {"click", "--repeat", "2", "--delay", "80", "1"});
    if (const auto result = Tool("xdotool", command); result.exitCode != 0) {
        throw std::runtime_error("xdotool could not click: " + result.output);
    }
}

void XDisplay::Key(const std::string& keys) const {
    Tool("xdotool", {"key", "--clearmodifiers", keys});
}

void XDisplay::Type(const std::string& text) const {
    Tool("xdotool", {"type", "--delay", "30", text});
}

void XDisplay::Activate(unsigned long window) const {
    Tool("xdotool", {"windowactivate", "--sync", std::to_string(window)});
}

std::optional<unsigned long> XDisplay::WaitForVisibleWindow(
    pid_t process, const std::string& title, std::chrono::milliseconds timeout) const {
    std::optional<unsigned long> found;
    e2e::WaitUntil(
        [&] {
            for (const unsigned long window : VisibleWindowsOf(process)) {
                if (title.empty() ||
                    Tool("xdotool", {"getwindowname", std::to_string(window)}).output.find(title) !=
                        std::string::npos) {
                    found = window;
                    return true;
                }
            }
            return false;
        },
        timeout, 10ms);
    return found;
}

void XDisplay::Close(unsigned long window) const {
    xcb_connection_t* connection = xcb_connect(name_.c_str(), nullptr);
    if (xcb_connection_has_error(connection) != 0) {
        xcb_disconnect(connection);
        throw std::runtime_error("no connection to the display " + name_);
    }
    // 2: from a pager or taskbar, the user's own request.
    frontend::SendToWindowManager(connection, static_cast<xcb_window_t>(window),
                                  frontend::Atom(connection, "_NET_CLOSE_WINDOW"),
                                  {XCB_CURRENT_TIME, 2, 0, 0, 0});
    xcb_disconnect(connection);
}

WindowOnScreen XDisplay::Inspect(unsigned long window) const {
    const std::string id = std::to_string(window);
    const std::string info = Tool("xwininfo", {"-id", id}).output;
    const std::string properties = Tool("xprop", {"-id", id, "WM_STATE", "_NET_WM_STATE"}).output;
    const std::string state = LineAfter(properties, "window state: ");
    return {LineAfter(info, "Map State: ") == "IsViewable",
            state == "Normal"   ? ManagedState::Normal
            : state == "Iconic" ? ManagedState::Iconic
                                : ManagedState::None,
            properties.find("_NET_WM_STATE_SKIP_TASKBAR") != std::string::npos};
}

std::string XDisplay::Property(unsigned long window, const std::string& name) const {
    return Tool("xprop", {"-id", std::to_string(window), name}).output;
}

unsigned long XDisplay::ActiveWindow() const {
    return std::stoul("0" + Tool("xdotool", {"getactivewindow"}).output);
}

QRect XDisplay::FrameOf(unsigned long window) const {
    const std::string id = std::to_string(window);
    const std::string info = Tool("xwininfo", {"-id", id}).output;
    std::istringstream extents(
        LineAfter(Tool("xprop", {"-id", id, "_NET_FRAME_EXTENTS"}).output, " = "));
    int left = 0, right = 0, top = 0, bottom = 0;
    char comma = 0;
    extents >> left >> comma >> right >> comma >> top >> comma >> bottom;
    return {NumberAfter(info, "Absolute upper-left X:") - left,
            NumberAfter(info, "Absolute upper-left Y:") - top,
            NumberAfter(info, "Width:") + left + right,
            NumberAfter(info, "Height:") + top + bottom};
}

}  // namespace desktop
