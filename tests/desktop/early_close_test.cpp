// Starts closed at once, as an impatient user closes what comes up first: each copy of the program
// ends, never leaving a process without a window or tray icon that holds the instance lock, and
// the next start shows its window.
#include <gtest/gtest.h>

#include <cstdlib>

#include "desktop/program_on_display.h"
#include "foundation/globals.h"
#include "support/temporary_folder.h"

namespace {

using namespace std::chrono_literals;

TEST(EarlyClose, TenStartsClosedAtOnceEachEndAndTheNextStartShowsItsWindow) {
    SKIP_WITHOUT_DISPLAY_TOOLS(true);
    const desktop::XDisplay display(true);
    desktop::SeedQuietStartOfOwnPrefix();
    const test_support::TemporaryFolder output("tollenwark-early-close");

    for (int start = 1; start <= 10; ++start) {
        e2e::BackgroundProcess program({TOLLENWARK_PROGRAM}, desktop::ProgramEnvironment(display),
                                       output.path() / "program-output.txt");
        // The first window to come up (the splash, or the main window on a quick start), or the
        // main window the moment it comes.
        const std::string closed = start % 2 == 1 ? "" : gProgramName;
        const auto window = display.WaitForVisibleWindow(program.id(), closed, 30s);
        ASSERT_TRUE(window) << "start " << start << " shows no window; the program said:\n"
                            << e2e::ReadWholeFile(output.path() / "program-output.txt");
        display.Close(*window);
        // A window that went away by itself meanwhile (the splash, when the main window opened)
        // took no close: the one there now gets it.
        const bool ended = e2e::WaitUntil(
            [&] {
                if (!program.Running()) {
                    return true;
                }
                if (const auto shown = display.WaitForVisibleWindow(program.id(), "", 0ms)) {
                    display.Close(*shown);
                }
                return false;
            },
            10s, 300ms);
        EXPECT_TRUE(ended) << "start " << start << " still runs after its close";
        if (!ended) {
            program.Signal(SIGKILL);
            program.WaitForEnd(5s);
        }
    }
}

}  // namespace
