// The memory shield: running programs checked outside a scan, and the timers it shares.
#include "engine/memory_shield.h"

#include "engine/memory_scan.h"
#include "engine/option_settings.h"
#include "ui/frm_main.h"

void EnableShieldTimers(FrmMainForm& form, bool enable) {
    if (enable) {
        form.tmrScheduler.SetEnabled(OptionCheckState("chkAutomaticScanYesOrNo", 0) == 1);
        form.tmrCheckHomePage.SetEnabled(OptionAsFlag("optIEHomePageSheildOn", "True"));
        form.tmrMemoryInspected.SetEnabled(OptionAsFlag("optMemorySheildOn", "True"));
    } else {
        form.tmrCheckHomePage.SetEnabled(false);
        form.tmrMemoryInspected.SetEnabled(false);
        form.tmrScheduler.SetEnabled(false);
        form.tmrTimeOut.SetEnabled(false);
    }
}

void FrmMainForm::tmrMemoryInspected_Timer() {
    if (!OptionAsFlag("optMemorySheildOn", "True")) {
        return;
    }
    EnableShieldTimers(*this, false);
    ScanMemoryByPlatform();
    EnableShieldTimers(*this, true);
}
