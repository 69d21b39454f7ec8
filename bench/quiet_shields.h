#pragma once

#include <optional>

// The program left alone with both shields on, its main window open as it starts: a real Wine
// prefix whose server runs for a Windows program, and hundreds of other processes of the prefix.
// What it costs is the share of one core its process uses over the measured period.
namespace bench {

struct QuietShieldsResult {
    double seconds = 0;       // the measured period
    double cpuSeconds = 0;    // the program's processor time (user and system) in that period
    int prefixProcesses = 0;  // the prefix's running programs, as the program lists them
};

// Makes the prefix, starts its processes and the program (the built executable, offscreen, on the
// bench machine's program folder and settings), lets it settle and measures; nothing when any of
// it failed. BENCH_IDLE_SECONDS sets the period (default 60 s).
std::optional<QuietShieldsResult> ProbeQuietShields();

}  // namespace bench
