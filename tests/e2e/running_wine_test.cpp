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
#include "e2e/registry_snapshot.h"
#include "e2e/wine_program_test.h"
#include "support/main_window.h"
#include "ui/frm_home_page_changed_alert.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const std::string kStartPageKey = "HKCU\\Software\\Microsoft\\Internet Explorer\\Main";
const std::string kProtectedPage = "http://protected.example/start.html";
const std::string kRunKey = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// Where the test clicks: the main window with the protection page of its options shown, and the
// home-page alert.
enum MainPlace { kScanPanel, kScanNow, kSettings, kProtectionTab, kRunAtStartup, kAskFirst };

desktop::DrawnPlaces DrawnMainWindow(const desktop::XDisplay& display) {
    return desktop::DrawForm(
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
}

desktop::DrawnPlaces DrawnAlert(const desktop::XDisplay& display) {
    return desktop::DrawForm(
        display, []() -> forms::Form& { return frmHomePageChangedAlert(); },
        [](const desktop::PlaceFinder& at) {
            return std::vector<QPoint>{at.Centre(frmHomePageChangedAlert().cmdYes)};
        });
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

// How many of the keys and values the removal named the snapshot holds.
std::size_t NamedIn(const RegistrySnapshot& snapshot, const PlantedThreats& planted) {
    std::size_t found = 0;
    for (const PlantedValue& value : planted.namedValues()) {
        found += !snapshot.Value(ExportedKeyPath(value.key), value.name).empty();
    }
    for (const PlantedValue& key : planted.namedKeys()) {
        found += !snapshot.KeyTree(ExportedKeyPath(key.key)).empty();
    }
    return found;
}

TEST_F(RunningWineTest, ChangesReachTheRunningWindowsProgramsAndStay) {
    SKIP_WITHOUT_DISPLAY_TOOLS(false);
    const desktop::XDisplay display;
    const desktop::DrawnPlaces main = DrawnMainWindow(display);
    const desktop::DrawnPlaces alert = DrawnAlert(display);
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
    // Its window open, a scan with removal shortly, the home-page shield restoring silently.
    SettingsSeed seed = QuietScheduledScan(std::time(nullptr) + 20);
    seed["Settings"]["Minimized"] = "No";
    RestoreHomePageSilently(seed, kProtectedPage);
    program.SeedUserSettings(seed);
    program.Start(display.name());
    const auto corner = display.WaitForWindow(program.Id(), main.size, 60s);
    ASSERT_TRUE(corner) << "no main window" << Said();
    const auto click = [&](MainPlace place) { display.Click(*corner + main.places[place]); };

    // A scan and its removal: gone for Windows programs at once, and from the next scan.
    WaitForScheduledRemoval(program);
    ASSERT_TRUE(windowsProgram->Running()) << "the Windows program ended early";
    for (const PlantedValue& value : planted.namedValues()) {
        EXPECT_FALSE(prefix.QueryValue(value.key, value.name)) << value.key << " " << value.name;
    }
    for (const PlantedValue& key : planted.namedKeys()) {
        EXPECT_FALSE(prefix.KeyExists(key.key)) << key.key << Said();
    }
    // The restore point holds it as Windows programs saw it.
    std::string restorePoint;
    for (const char* file : {"HKEY_LOCAL_MACHINE.reg", "HKEY_CURRENT_USER.reg"}) {
        restorePoint += Utf8FromUtf16Le(ReadWholeFile(program.RestorePointsFolder() / "1" / file));
    }
    const std::size_t named = planted.namedValues().size() + planted.namedKeys().size();
    EXPECT_EQ(NamedIn(RegistrySnapshot::FromExport(restorePoint), planted), named);
    for (const PlantedValue& value : planted.neighbourValues()) {
        EXPECT_EQ(prefix.QueryValue(value.key, value.name), value.data) << value.key;
    }
    const fs::path report = program.programFolder() / "Scan_Log.txt";
    const auto reportWritten = fs::last_write_time(report);
    click(kScanPanel);
    click(kScanNow);
    ASSERT_TRUE(WaitUntil([&] { return fs::last_write_time(report) != reportWritten; }, 60s))
        << "no report of the second scan" << Said();
    EXPECT_EQ(ThreatsInReport(TextLines(report)).total, "0")
        << "the scan right after the removal found it again";

    // Run at start-up, ticked and unticked.
    click(kSettings);
    click(kProtectionTab);
    click(kRunAtStartup);
    EXPECT_TRUE(
        WaitUntil([&] { return prefix.QueryValue(kRunKey, "tollenwark").has_value(); }, 20s, 1s))
        << "no Run value" << Said();
    click(kRunAtStartup);
    EXPECT_TRUE(WaitUntil([&] { return !prefix.QueryValue(kRunKey, "tollenwark"); }, 20s, 1s))
        << "the Run value stayed" << Said();

    // The home-page shield, silent: the page is back once Wine saved the hijack.
    EXPECT_TRUE(StartPageRestoredAfterHijack("http://searchswap.example/", [] {}))
        << "the start page was not restored" << Said();

    // Asking: one question, and Yes puts the page back; no second question follows.
    click(kAskFirst);
    const auto answerYes = [&] {
        const auto asked = display.WaitForWindow(program.Id(), alert.size, 50s);
        ASSERT_TRUE(asked) << "no question" << Said();
        display.Click(*asked + alert.places[0]);
    };
    EXPECT_TRUE(StartPageRestoredAfterHijack("http://searchswap.example/again", answerYes))
        << "Yes did not restore the start page" << Said();
    EXPECT_FALSE(display.WaitForWindow(program.Id(), alert.size, 12s)) << "a second question";

    ASSERT_TRUE(program.End()) << Said();
    prefix.StopServer();
    // What Wine's server wrote into the hive files as it ended, read back through Wine.
    const std::string hives = prefix.Export("HKLM") + prefix.Export("HKCU");
    const RegistrySnapshot saved = RegistrySnapshot::FromExport(hives);
    EXPECT_EQ(NamedIn(saved, planted), 0u);
    EXPECT_EQ(saved.Value(ExportedKeyPath(kStartPageKey), "Start Page"),
              (std::set<RegistryEntry>{
                  {ExportedKeyPath(kStartPageKey), "\"Start Page\"=\"" + kProtectedPage + "\""}}));
    EXPECT_TRUE(saved.Value(ExportedKeyPath(kRunKey), "tollenwark").empty());
}

}  // namespace
}  // namespace e2e
