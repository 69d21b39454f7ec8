// Every stored option, whatever text the store holds, shows in its control exactly what the parts
// it drives act on: one reading of each value, by the loader and by its timers, scan phases,
// start-up steps and schedule alike.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "engine/scheduler.h"
#include "foundation/definition_files.h"
#include "foundation/globals.h"
#include "foundation/settings_store.h"
#include "localization/globals.h"
#include "platform/version_block.h"
#include "startup_fixture.h"
#include "ui/frm_main.h"

namespace {

struct Reading {
    const char* key;
    // What the control shows, and what the parts that value drives do, after a start.
    std::function<bool(FrmMainForm&)> shown;
    std::function<bool(FrmMainForm&)> acted;
};

// The scan's status line says each phase it ran; a phase that is not chosen says it is not.
struct ScanPhases {
    bool cookies = false;
    bool memory = false;
    bool registry = false;
};

ScanPhases RunAScan(FrmMainForm& main) {
    std::vector<std::string> statuses;
    main.lblStatus(0).Observe([&](const forms::Change& change) {
        if (change.property == forms::Property::Caption) {
            statuses.push_back(main.lblStatus(0).Caption());
        }
    });
    main.lblStart_Click();
    const std::string notChosen = gLanguages->getMessages("MSG_NOTSELECED");
    const std::string cookiesDone = gLanguages->getMessages("MSG_COOKIES_FINISHED");
    return {std::find(statuses.begin(), statuses.end(), cookiesDone) != statuses.end(),
            main.lblMemoryInspected.Caption() != notChosen,
            main.lblRegistryInspected.Caption() != notChosen};
}

class StoredReadings : public StartupTest {
  protected:
    StoredReadings() {
        MarkAsUsedBefore();
        for (std::string_view file :
             {kExeDefinitionFile, kFileDefinitionFile, kDirectoryDefinitionFile,
              kRegistryDefinitionFile, kBlockedCookiesFile}) {
            program.WriteFile(std::string(file), "");
        }
    }
};

TEST_F(StoredReadings, EveryOptionShowsWhatItsPartsActOnWhateverTextIsStored) {
    const auto ticked = [](forms::CheckBox FrmMainForm::*box) {
        return [box](FrmMainForm& main) { return (main.*box).Value() == forms::kChecked; };
    };
    const std::vector<Reading> readings = {
        {"chkAutomaticScanYesOrNo", ticked(&FrmMainForm::chkAutomaticScanYesOrNo),
         [](FrmMainForm& main) { return main.tmrScheduler.Enabled(); }},
        {"optMemorySheildOn", ticked(&FrmMainForm::chkAutoProtect),
         [](FrmMainForm& main) { return main.tmrMemoryInspected.Enabled(); }},
        {"optIEHomePageSheildOn", ticked(&FrmMainForm::chkHomePage),
         [](FrmMainForm& main) { return main.tmrCheckHomePage.Enabled(); }},
        {"chkAutomaticUpdate", ticked(&FrmMainForm::chkAutomaticUpdate),
         [](FrmMainForm& main) { return main.timUpdate.Enabled(); }},
        {"chkScanCookies", ticked(&FrmMainForm::chkScanCookies),
         [](FrmMainForm& main) { return RunAScan(main).cookies; }},
        {"chkSweepMemory", ticked(&FrmMainForm::chkSweepMemory),
         [](FrmMainForm& main) { return RunAScan(main).memory; }},
        {"chkScanRegistry", ticked(&FrmMainForm::chkScanRegistry),
         [](FrmMainForm& main) { return RunAScan(main).registry; }},
        // The schedule list and the timer's day: the timer starts a scan at the stored time
        // exactly when the day the list shows is due then.
        {"Day",
         [this](FrmMainForm& main) {
             platform::DateTime then = host.Now();
             then.second += 1;
             return ScheduleIsDue(main.cmbDays.ListIndex(), "10:00:01 AM", "Null", then);
         },
         [this](FrmMainForm& main) {
             main.tmrScheduler.SetEnabled(true);
             host.Advance(std::chrono::seconds(1));
             return main.frmScan.Visible();
         }},
    };
    const char* texts[] = {"garbage", "1x", "99999999999", "2", "-1", " 1 ", "0", "True", ""};
    for (const Reading& reading : readings) {
        for (const char* text : texts) {
            const std::string product = platform::ProgramVersionBlock().productName;
            SaveSetting(product, "OptionAndSettings", reading.key, text);
            // A schedule due a second after the start, if its day is.
            SaveSetting(product, "OptionAndSettings", "Time", "10:00:01 AM");
            StartProgram();
            FrmMainForm& main = FrmMain();
            // Out of the normal state the shields and the scheduler run by the settings.
            main.SetWindowState(forms::WindowState::Minimized);
            const bool shown = reading.shown(main);
            EXPECT_EQ(reading.acted(main), shown)
                << reading.key << " stored as \"" << text << "\" shows " << (shown ? "on" : "off")
                << " but acts the other way";
            EndProgram();
        }
    }
}

}  // namespace
