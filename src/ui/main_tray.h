#pragma once

class FrmMainForm;

// Brings the main window back from the tray or from the taskbar in its normal state. The window
// is shown before its state changes, so that the resize handler sees it on screen: it lays the
// window out and records that the program no longer starts in the tray.
void ShowMainWindowRestored(FrmMainForm& window);
