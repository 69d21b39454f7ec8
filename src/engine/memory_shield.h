#pragma once

class FrmMainForm;

// The shield and scheduler timers of the main window. On: tmrScheduler, tmrCheckHomePage and
// tmrMemoryInspected each as the user's settings say ("chkAutomaticScanYesOrNo",
// "optIEHomePageSheildOn", "optMemorySheildOn"). Off: those three and tmrTimeOut, whatever the
// settings say. A scan, an update, a removal and every shield check run with them off.
void EnableShieldTimers(FrmMainForm& form, bool enable);
