// The drive list of the scan options and its ticks.
#include <exception>
#include <string>

#include "engine/option_settings.h"
#include "forms/host.h"
#include "foundation/globals.h"
#include "foundation/settings_store.h"
#include "platform/machine.h"
#include "ui/frm_main.h"

namespace {

constexpr std::string_view kDrivesSection = "Drives";

// Removable, network and CD-ROM drives are listed even when empty or unreachable; a fixed disk
// only when it is ready; RAM disks and drives of an unknown type never.
bool ShowsInDriveList(const platform::Drive& drive) {
    switch (drive.type) {
        case platform::DriveType::Removable:
        case platform::DriveType::Network:
        case platform::DriveType::CdRom:
            return true;
        case platform::DriveType::Fixed:
            return drive.ready;
        default:
            return false;
    }
}

}  // namespace

void FrmMainForm::ListDrives() {
    std::vector<platform::Drive> drives;
    try {
        drives = platform::CurrentMachine().Drives();
    } catch (const std::exception&) {
        return;
    }
    for (const platform::Drive& drive : drives) {
        if (ShowsInDriveList(drive)) {
            lvwHardDrives.ListItems.Add(std::string(1, drive.letter));
        }
        forms::DoEvents();
    }
}

// Every listed drive is saved on every change, not only the one that changed.
void FrmMainForm::lvwHardDrives_ItemCheck(forms::ListItem&) {
    for (int row = 1; row <= lvwHardDrives.ListItems.Count(); ++row) {
        const forms::ListItem& item = lvwHardDrives.ListItems(row);
        SaveSetting(gProgramName, kDrivesSection, item.Text(), FlagText(item.Checked()));
    }
}
