#include "desktop/x_display.h"

#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <map>
#include <sstream>
#include <stdexcept>
#include <thread>

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

}  // namespace

bool DisplayToolsPresent() {
    return OnPath("Xvfb") && OnPath("xdotool");
}

XDisplay::XDisplay()
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
}

// Ended as a session ends it, so that it takes its socket and lock file away.
XDisplay::~XDisplay() {
    server_->Signal(SIGTERM);
    server_->WaitForEnd(5s);
    server_.reset();
    std::filesystem::remove(output_);
}

e2e::CommandResult XDisplay::Xdotool(const std::vector<std::string>& arguments) const {
    std::vector<std::string> command = {"xdotool"};
    command.insert(command.end(), arguments.begin(), arguments.end());
    e2e::ChildEnvironment environment;
    environment.Set("DISPLAY", name_);
    return e2e::RunCommand(command, environment, 10s);
}

std::optional<QPoint> XDisplay::WaitForWindow(pid_t process, QSize size,
                                              std::chrono::milliseconds timeout) const {
    std::optional<QPoint> found;
    e2e::WaitUntil(
        [&] {
            std::istringstream windows(
                Xdotool({"search", "--onlyvisible", "--pid", std::to_string(process)}).output);
            for (std::string window; windows >> window;) {
                auto values = ShellValues(Xdotool({"getwindowgeometry", "--shell", window}).output);
                if (values["WIDTH"] == size.width() && values["HEIGHT"] == size.height()) {
                    found = QPoint(values["X"], values["Y"]);
                }
            }
            return found.has_value();
        },
        timeout, 100ms);
    return found;
}

// A move with --sync waits for the pointer to move, which it never does when it is there already.
void XDisplay::Click(QPoint at) const {
    auto pointer = ShellValues(Xdotool({"getmouselocation", "--shell"}).output);
    const bool there = pointer["X"] == at.x() && pointer["Y"] == at.y();
    const auto result = there ? Xdotool({"click", "1"})
                              : Xdotool({"mousemove", "--sync", std::to_string(at.x()),
                                         std::to_string(at.y()), "click", "1"});
    if (result.exitCode != 0) {
        throw std::runtime_error("xdotool could not click at " + std::to_string(at.x()) + "," +
                                 std::to_string(at.y()) + " (exit code " +
                                 std::to_string(result.exitCode) + "): " + result.output);
    }
}

}  // namespace desktop
