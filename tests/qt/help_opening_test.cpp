// "View Help" on a Linux desktop, through the real xdg-utils: the compiled help where the desktop
// has a viewer for it, else the same help as pages in the browser. The desktop here is one of the
// test's own, whose only application records what it was asked to open.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <filesystem>
#include <string>

#include "foundation/globals.h"
#include "foundation/machine_settings.h"
#include "main_window_fixture.h"
#include "support/scoped_environment.h"
#include "support/temporary_folder.h"

namespace {

namespace fs = std::filesystem;
using test_support::ScopedEnvironmentVariable;

class HelpOnTheDesktop : public QtMainWindowTest {
  protected:
    HelpOnTheDesktop() {
        const fs::path recorder = desktop.WriteFile(
            "record-opened", "#!/bin/sh\nprintf '%s' \"$1\" > \"" + opened.string() + "\"\n");
        fs::permissions(recorder, fs::perms::owner_all);
        desktop.WriteFile("data/applications/record-opened.desktop",
                          "[Desktop Entry]\nType=Application\nName=Recorder\nExec=" +
                              recorder.string() + " %f\nMimeType=text/html;\n");
    }

    // The desktop's default applications, as mimeapps.list lines ("text/html=...").
    void SetDefaultApplications(const std::string& lines) {
        config.WriteFile("mimeapps.list", "[Default Applications]\n" + lines);
    }

    // Chooses Help > View Help in the main window's menu bar.
    void ViewHelp() {
        for (QAction* menu : WindowOf(*main).menuBar()->actions()) {
            for (QAction* item : menu->menu()->actions()) {
                if (item->text().remove(u'&') == QStringLiteral("View Help")) {
                    item->trigger();
                    return;
                }
            }
        }
        FAIL() << "no View Help in the menu bar";
    }

    // The file the desktop was asked to open, once it has been.
    fs::path OpenedFile() {
        RunUntil([this] { return fs::exists(opened) && fs::file_size(opened) > 0; });
        return test_support::ReadHostFileOrEmpty(opened);
    }

    // The build puts Help.chm and the pages beside the test programs' folder.
    const fs::path build = fs::read_symlink("/proc/self/exe").parent_path().parent_path();
    ScopedEnvironmentVariable programFolder{"TOLLENWARK_PROGRAM_FOLDER", build.string()};

    test_support::TemporaryFolder desktop{"tollenwark-desktop"};
    const fs::path opened = desktop.path() / "opened";
    ScopedEnvironmentVariable dataHome{"XDG_DATA_HOME", (desktop.path() / "data").string()};
    ScopedEnvironmentVariable dataDirs{"XDG_DATA_DIRS", (desktop.path() / "none").string()};
    ScopedEnvironmentVariable configDirs{"XDG_CONFIG_DIRS", (desktop.path() / "none").string()};
    // xdg-open hands a document to a desktop application only where a display is named; with no
    // desktop environment named it reads the desktop's files itself.
    ScopedEnvironmentVariable display{"DISPLAY", ":0"};
    ScopedEnvironmentVariable currentDesktop{"XDG_CURRENT_DESKTOP", std::nullopt};
    ScopedEnvironmentVariable desktopSession{"DESKTOP_SESSION", std::nullopt};
    ScopedEnvironmentVariable kdeSession{"KDE_FULL_SESSION", std::nullopt};
    ScopedEnvironmentVariable gnomeSession{"GNOME_DESKTOP_SESSION_ID", std::nullopt};
    ScopedEnvironmentVariable sessionBus{"DBUS_SESSION_BUS_ADDRESS", std::nullopt};
    ScopedEnvironmentVariable browser{"BROWSER", std::nullopt};
};

TEST_F(HelpOnTheDesktop, WithoutAViewerForCompiledHelpThePagesOpenInTheBrowser) {
    SetDefaultApplications("text/html=record-opened.desktop\n");
    ViewHelp();
    EXPECT_EQ(OpenedFile(), fs::canonical(build / "HelpPages" / "index.html"));
    EXPECT_EQ(GetMachineSetting(gProgramName, "Settings", "showHelp", ""), "0");
}

TEST_F(HelpOnTheDesktop, WithAViewerForCompiledHelpTheHelpFileOpens) {
    SetDefaultApplications(
        "text/html=record-opened.desktop\napplication/vnd.ms-htmlhelp=record-opened.desktop\n");
    ViewHelp();
    EXPECT_EQ(OpenedFile(), fs::canonical(build / "Help.chm"));
}

}  // namespace
