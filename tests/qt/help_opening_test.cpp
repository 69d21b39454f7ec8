// "View Help" on a Linux desktop, through the real xdg-utils: the compiled help where the desktop
// has a viewer for it, else the same help as pages in the browser. The desktop is the test's own:
// its one application records what it was asked to open.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <filesystem>
#include <list>
#include <string>

#include "foundation/globals.h"
#include "foundation/machine_settings.h"
#include "main_window_fixture.h"

namespace {

namespace fs = std::filesystem;
using test_support::ScopedEnvironmentVariable;

class HelpOnTheDesktop : public QtMainWindowTest {
  protected:
    HelpOnTheDesktop() {
        const fs::path recorder = desktop.WriteFile(
            "record-opened", "#!/bin/sh\nprintf '%s' \"$1\" > \"" + opened.string() + "\"\n");
        fs::permissions(recorder, fs::perms::owner_all);
        desktop.WriteFile("data/applications/recorder.desktop",
                          "[Desktop Entry]\nType=Application\nName=Recorder\nExec=" +
                              recorder.string() + " %f\n");
        // xdg-open hands a document to an application only where a display is named; with no
        // desktop environment named it reads the desktop's files itself.
        for (const char* variable :
             {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION",
              "GNOME_DESKTOP_SESSION_ID", "DBUS_SESSION_BUS_ADDRESS", "BROWSER"}) {
            environment.emplace_back(variable, std::nullopt);
        }
        environment.emplace_back("DISPLAY", ":0");
        environment.emplace_back("XDG_DATA_HOME", (desktop.path() / "data").string());
        environment.emplace_back("XDG_DATA_DIRS", (desktop.path() / "none").string());
        environment.emplace_back("XDG_CONFIG_DIRS", (desktop.path() / "none").string());
        // The build puts Help.chm and the pages beside the test programs' folder.
        environment.emplace_back("TOLLENWARK_PROGRAM_FOLDER", build.string());
    }

    // Chooses Help > View Help in the main window's menu bar; returns the file the desktop was
    // then asked to open.
    fs::path ViewHelp(const std::string& defaultApplications) {
        config.WriteFile("mimeapps.list", "[Default Applications]\n" + defaultApplications);
        for (QAction* menu : WindowOf(*main).menuBar()->actions()) {
            for (QAction* item : menu->menu()->actions()) {
                if (item->text().remove(u'&') == QStringLiteral("View Help")) {
                    item->trigger();
                }
            }
        }
        RunUntil([this] { return fs::exists(opened) && fs::file_size(opened) > 0; });
        return test_support::ReadHostFileOrEmpty(opened);
    }

    const fs::path build = fs::read_symlink("/proc/self/exe").parent_path().parent_path();
    test_support::TemporaryFolder desktop{"tollenwark-desktop"};
    const fs::path opened = desktop.path() / "opened";
    std::list<ScopedEnvironmentVariable> environment;
};

TEST_F(HelpOnTheDesktop, WithoutAViewerForCompiledHelpThePagesOpenInTheBrowser) {
    EXPECT_EQ(ViewHelp("text/html=recorder.desktop\n"),
              fs::canonical(build / "HelpPages" / "index.html"));
    EXPECT_EQ(GetMachineSetting(gProgramName, "Settings", "showHelp", ""), "0");
}

TEST_F(HelpOnTheDesktop, WithAViewerForCompiledHelpTheHelpFileOpens) {
    EXPECT_EQ(
        ViewHelp("text/html=recorder.desktop\napplication/vnd.ms-htmlhelp=recorder.desktop\n"),
        fs::canonical(build / "Help.chm"));
}

}  // namespace
