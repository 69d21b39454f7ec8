#pragma once

class QApplication;

namespace frontend {

// What must be settled before the QApplication exists: the browser engine shares its graphics
// contexts, and its sandbox, which cannot run for the root account, is off for root only.
void PrepareQtApplication();

// The application as the program needs it: named by the product, and running on when no window is
// visible (the program lives in the tray and ends itself).
void ConfigureQtApplication(QApplication& application);

}  // namespace frontend
