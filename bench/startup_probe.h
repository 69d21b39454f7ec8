#pragma once

#include <optional>

// The program started as a fresh process on the Qt host (offscreen), as its own main() starts it,
// on the bench machine: how long until the main window is ready, how long a whole scan takes on
// the real event loop, and the process' peak memory after it.
namespace bench {

struct ProbeResult {
    double startUpSeconds = 0;      // process start to the main window ready, splash ticks aside
    double splashTicksSeconds = 0;  // the splash's own timer, left out of the above
    double qtScanSeconds = 0;       // one whole scan, mean of the scans made
    int threats = 0;
    double peakMegabytes = 0;  // VmHWM after the scans
};

// Runs inside the child: the bench binary called with --startup-probe.
int RunStartupProbe(int argc, char** argv);

// Starts the child on the bench machine with every definition and phase on; nothing when it
// failed. scans: how many whole scans the child makes.
std::optional<ProbeResult> ProbeFreshProcess(int scans);

}  // namespace bench
