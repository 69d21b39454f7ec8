// The program on a real Wine prefix while a Windows program of the prefix runs from start to end,
// so that Wine's server holds the registry in memory the whole time: every change the program
// makes reaches the running Windows programs at once (as `wine reg query` sees them) and stays
// after the server saved and ended. The program runs on an X display of the test's own, clicked
// as a user clicks it.
#include <cstdlib>
#include <ctime>

#include "desktop/drawn_places.h"
#include "desktop/x_display.h"
#include "e2e/planted_threats.h"
#include "e2e/wine_program_test.h"
#include "forms/form_registry.h"
#include "support/main_window.h"
#include "ui/frm_home_page_changed_alert.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const std::string kStartPageKey = "HKCU\\Software\\Microsoft\\Internet Explorer\\Main";
const std::string kProtectedPage = "http://protected.example/start.html";
const std::string kRunKey = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";

struct Places {
    QSize mainSize;
    QPoint scanPanel, scanNow, settings, protectionTab, runAtStartupBox, askFirstButton;
    QSize alertSize;
    QPoint yes;
};

Places DrawnPlaces(const desktop::XDisplay& display) {
    Places places;
    const desktop::DrawnPlaces main = desktop::DrawForm(
        display,
        []() -> forms::Form& {
            FrmMainForm& window = test_support::LoadMainWindowWithoutStartUp();
            window.HideAllPanels();
            window.frmOptions.SetVisible(true);
            window.TabStrip1.Select(2);
            return window;
        },
        [](const desktop::PlaceFinder& at) {
            FrmMainForm& window = FrmMain();
            return std::vector<QPoint>{
                at.Centre(window.cmdScan),      at.Centre(window.cmdScanNow),
                at.Centre(window.cmdSettings),  at.Tab(window.TabStrip1, 2),
                at.Box(window.chkRunAtStartup), at.Box(window.optAlwaysnotifybeforerestoring)};
        });
    places.mainSize = main.size;
    const auto& p = main.places;
    places.scanPanel = p[0];
    places.scanNow = p[1];
    places.settings = p[2];
    places.protectionTab = p[3];
    places.runAtStartupBox = p[4];
    places.askFirstButton = p[5];
    const desktop::DrawnPlaces alert = desktop::DrawForm(
        display, []() -> forms::Form& { return frmHomePageChangedAlert(); },
        [](const desktop::PlaceFinder& at) {
            return std::vector<QPoint>{at.Centre(frmHomePageChangedAlert().cmdYes)};
        });
    places.alertSize = alert.size;
    places.yes = alert.places[0];
    return places;
}

// A user who has started the program before and keeps its window open: the home-page shield
// restores silently, and a scan starts shortly, followed by the removal of what it finds.
SettingsSeed OpenWindowSilentShield(std::time_t scanAt) {
    SettingsSeed seed = QuietScheduledScan(scanAt);
    seed["Settings"]["Minimized"] = "No";
    auto& options = seed["OptionAndSettings"];
    options["optIEHomePageSheildOn"] = "True";
    options["optIEHomePageSheildOff"] = "False";
    options["optAlwaysnotifybeforerestoring"] = "False";
    options["optRestoredefaultwithoutnotification"] = "True";
    options["Homepage"] = kProtectedPage;
    return seed;
}

class RunningWineTest : public WineProgramTest {
  protected:
    // Sets the start page as a hijacker running in the prefix would, and waits until the program
    // puts the protected one back, as Windows programs see it.
    bool StartPageRestoredAfterHijack(const std::string& hijacked,
                                      const std::function<void()>& answer) {
        prefix.AddValue(kStartPageKey, "Start Page", hijacked);
        answer();
        return WaitUntil(
            [&] { return prefix.QueryValue(kStartPageKey, "Start Page") == kProtectedPage; }, 40s,
            1s);
    }

    std::string Said() { return "; the program said:\n" + program.Output(); }
};

bool Mentions(const std::string& text, const std::string& what) {
    return text.find(what) != std::string::npos;
}

// How an export or a hive file writes text: each backslash doubled.
std::string Doubled(const std::string& text) {
    std::string out;
    for (char c : text) {
        out += c == '\\' ? std::string("\\\\") : std::string(1, c);
    }
    return out;
}

// The hive file of a key as `wine reg` names it, and its header there ("[Software\\X]").
std::pair<std::string, std::string> HiveFileAndHeader(const std::string& key) {
    const std::string exported = ExportedKeyPath(key);
    const std::string root = exported.substr(0, exported.find('\\'));
    return {root == "HKEY_CURRENT_USER" ? "user.reg" : "system.reg",
            "[" + Doubled(exported.substr(root.size() + 1)) + "]"};
}

TEST_F(RunningWineTest, ChangesReachTheRunningWindowsProgramsAndStay) {
    if (!desktop::DisplayToolsPresent()) {
        ASSERT_EQ(std::getenv("TOLLENWARK_DESKTOP_TESTS"), nullptr)
            << "Xvfb and xdotool are needed here (scripts/setup-deps installs them)";
        GTEST_SKIP() << "Xvfb or xdotool is not installed";
    }
    const desktop::XDisplay display;
    const Places places = DrawnPlaces(display);
    const PlantedThreats planted(prefix,
                                 {{"TrayHelper X", "Blinkbar Toolbar", "SearchSwap Hijacker"}, {}});
    planted.Plant();
    prefix.AddValue(kStartPageKey, "Start Page", kProtectedPage);
    program.SeedMachineSettings();
    prefix.StopServer();

    // The Windows program keeps Wine's server, and with it the registry, running to the end.
    const auto windowsProgram = prefix.RunInBackground({"wine", "ping", "-n", "900", "127.0.0.1"},
                                                       root.path() / "ping-output.txt");
    ASSERT_TRUE(prefix.KeyExists(kStartPageKey));
    program.SeedUserSettings(OpenWindowSilentShield(std::time(nullptr) + 20));
    program.Start(display.name());
    const auto corner = display.WaitForWindow(program.Id(), places.mainSize, 60s);
    ASSERT_TRUE(corner) << "no main window" << Said();
    const auto click = [&](QPoint place) { display.Click(*corner + place); };

    // A scan and its removal: gone for Windows programs at once, and from the next scan.
    WaitForScheduledRemoval(program);
    ASSERT_TRUE(windowsProgram->Running()) << "the Windows program ended early";
    for (const PlantedValue& value : planted.namedValues()) {
        EXPECT_FALSE(prefix.QueryValue(value.key, value.name)) << value.key << " " << value.name;
    }
    for (const PlantedValue& key : planted.namedKeys()) {
        EXPECT_FALSE(prefix.KeyExists(key.key)) << key.key << Said();
    }
    for (const PlantedValue& value : planted.neighbourValues()) {
        EXPECT_EQ(prefix.QueryValue(value.key, value.name), value.data) << value.key;
    }
    const fs::path report = program.programFolder() / "Scan_Log.txt";
    const auto reportWritten = fs::last_write_time(report);
    click(places.scanPanel);
    click(places.scanNow);
    ASSERT_TRUE(WaitUntil([&] { return fs::last_write_time(report) != reportWritten; }, 60s))
        << "no report of the second scan" << Said();
    EXPECT_EQ(ThreatsInReport(TextLines(report)).total, "0")
        << "the scan right after the removal found it again";

    // The restore point holds what was removed, as Windows programs saw it.
    std::string restorePoint;
    for (const char* file : {"HKEY_LOCAL_MACHINE.reg", "HKEY_CURRENT_USER.reg"}) {
        restorePoint += Utf8FromUtf16Le(ReadWholeFile(program.RestorePointsFolder() / "1" / file));
    }
    for (const PlantedValue& value : planted.namedValues()) {
        EXPECT_TRUE(Mentions(restorePoint, "\"" + value.name + "\"=\"" + Doubled(value.data)))
            << value.name << " is not in the restore point";
    }
    for (const PlantedValue& key : planted.namedKeys()) {
        EXPECT_TRUE(Mentions(restorePoint, "[" + ExportedKeyPath(key.key) + "]"))
            << key.key << " is not in the restore point";
    }

    // Run at start-up, ticked and unticked.
    click(places.settings);
    click(places.protectionTab);
    click(places.runAtStartupBox);
    EXPECT_TRUE(
        WaitUntil([&] { return prefix.QueryValue(kRunKey, "tollenwark").has_value(); }, 20s, 1s))
        << "no Run value" << Said();
    click(places.runAtStartupBox);
    EXPECT_TRUE(WaitUntil([&] { return !prefix.QueryValue(kRunKey, "tollenwark"); }, 20s, 1s))
        << "the Run value stayed" << Said();

    // The home-page shield, silent: the page is back once Wine saved the hijack.
    EXPECT_TRUE(StartPageRestoredAfterHijack("http://searchswap.example/", [] {}))
        << "the start page was not restored" << Said();

    // Asking: one question, and Yes puts the page back; no second question follows.
    click(places.askFirstButton);
    EXPECT_TRUE(StartPageRestoredAfterHijack("http://searchswap.example/again",
                                             [&] {
                                                 const auto alert = display.WaitForWindow(
                                                     program.Id(), places.alertSize, 50s);
                                                 ASSERT_TRUE(alert) << "no question" << Said();
                                                 display.Click(*alert + places.yes);
                                             }))
        << "Yes did not restore the start page" << Said();
    EXPECT_FALSE(display.WaitForWindow(program.Id(), places.alertSize, 12s)) << "a second question";

    ASSERT_TRUE(program.End()) << Said();
    prefix.StopServer();
    const auto valueInHive = [&](const std::string& key, const std::string& name) {
        const auto [file, header] = HiveFileAndHeader(key);
        return TextValueInHiveFile(prefix.folder() / file, header, name);
    };
    EXPECT_EQ(valueInHive(kStartPageKey, "Start Page"), kProtectedPage);
    EXPECT_FALSE(valueInHive(kRunKey, "tollenwark"));
    for (const PlantedValue& value : planted.namedValues()) {
        EXPECT_FALSE(valueInHive(value.key, value.name)) << value.name << " is in the hive file";
    }
    for (const PlantedValue& key : planted.namedKeys()) {
        const auto [file, header] = HiveFileAndHeader(key.key);
        EXPECT_FALSE(Mentions(ReadWholeFile(prefix.folder() / file), header))
            << key.key << " is in the hive file";
    }
}

}  // namespace
}  // namespace e2e
