#pragma once

namespace forms {
class Form;
}

// Shows the window's start (status), options, results and sweep (scan) panels as the four flags
// say and stops its scrolling timer. The panels are found by name; a window lacking one is left
// without it.
void ShowMainPanels(forms::Form& window, bool showStart, bool showOptions, bool showResults,
                    bool showSweep);
