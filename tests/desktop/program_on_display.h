#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QPoint>
#include <chrono>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>

#include "desktop/x_display.h"
#include "forms/control.h"
#include "forms/form.h"
#include "forms/host.h"
#include "qt/qt_host.h"
#include "support/scoped_environment.h"

// The program on a real X display, run inside the test process: its own start (the splash, whose
// timer opens the main window) on the Qt host, so that a test sees both what the program believes
// of its windows and what the X server shows of them, and drives it through the server.
namespace desktop {

struct StoredSetting {
    const char* section;
    const char* key;
    const char* value;
};

// A user who has started the program before, with nothing that would ask or interrupt: no
// automatic update, no help, both shields off; and these settings besides. The settings go to this
// process' own store, the machine-wide first-start mark to the prefix at prefixFolder.
void SeedQuietStart(const std::string& prefixFolder,
                    std::initializer_list<StoredSetting> more = {});

std::string Setting(const std::string& section, const std::string& key);

// For the program run as a process of its own: the quiet start above on the program's own prefix
// (laid down now), and the environment that runs it on the display with that prefix, its
// definitions server never answering.
void SeedQuietStartOfOwnPrefix(std::initializer_list<StoredSetting> more = {});
e2e::ChildEnvironment ProgramEnvironment(const XDisplay& display);

class ProgramOnDisplay {
  public:
    explicit ProgramOnDisplay(const XDisplay& display);
    ~ProgramOnDisplay();
    ProgramOnDisplay(const ProgramOnDisplay&) = delete;
    ProgramOnDisplay& operator=(const ProgramOnDisplay&) = delete;

    // Shows the splash, and returns once its timer has opened the main window (false after 20 s).
    bool Start();
    // Ends the program as its end does, every window and value gone, and starts it again.
    bool Restart();

    // Runs the event loop until the condition holds; false when it still does not at the limit.
    bool RunUntil(const std::function<bool()>& condition,
                  std::chrono::milliseconds limit = std::chrono::seconds(5));
    void RunFor(std::chrono::milliseconds time);

    // The native window of a loaded form, and where the middle of a control is on the screen.
    unsigned long WindowOf(const forms::Form& form);
    QPoint CentreOf(const forms::Control& control);
    frontend::QtHost& host() { return *host_; }

  private:
    // Every window and waiting object gone, as at the program's end.
    void UnloadAll();

    test_support::ScopedEnvironmentVariable platform_;
    test_support::ScopedEnvironmentVariable screen_;
    int argc_ = 1;
    char name_[16] = "desktop_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> application_;
    std::unique_ptr<frontend::QtHost> host_;
    std::unique_ptr<forms::ScopedHost> installed_;
};

// A test of the program on a display of its own with a window manager and a notification area.
class ProgramOnDisplayTest : public ::testing::Test {
  protected:
    void SetUp() override;
    // The quiet start with these settings besides, then the program's start; false when no main
    // window came.
    bool StartProgram(std::initializer_list<StoredSetting> settings = {});

    std::unique_ptr<XDisplay> display;
    std::unique_ptr<ProgramOnDisplay> program;
};

}  // namespace desktop
