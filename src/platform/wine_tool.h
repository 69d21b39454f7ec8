#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

// Wine's own programs run for a prefix: while Wine's server holds a prefix's registry, only they
// can change it. They run as "$WINE" ("wine" when WINE is not set, as Wine's own scripts do),
// with the prefix in WINEPREFIX; the program waits for them with a deadline, in the waiting hook,
// so that the windows stay alive.
namespace platform {

inline constexpr std::chrono::milliseconds kWineToolDeadline{20'000};

// Where the program waits for a child process: the front end's event loop, which returns once one
// of the descriptors (process descriptors, readable when their child ends) is ready or the time is
// up, and says whether it waited. Without it, or when it did not wait, the wait sleeps in poll.
using WaitingHook =
    std::function<bool(const std::vector<int>& descriptors, std::chrono::milliseconds limit)>;
void SetWaitingHook(WaitingHook hook);

// Runs each command ("reg", "import", ...) as its own Wine process, all at once, and waits until
// all have ended or the deadline passed (then they are killed). ERROR_SUCCESS when every one ran
// and ended with 0; else ERROR_WINE_TOOL_NOT_STARTED, ERROR_WINE_TOOL_TIMED_OUT or
// ERROR_WINE_TOOL_FAILED. What the processes printed goes to standard error.
long RunWineTools(const std::string& prefixFolder,
                  const std::vector<std::vector<std::string>>& commands);

// How a Windows program run by Wine names a host file: "\\?\unix\tmp\x.reg".
std::string WineNameOfHostPath(const std::string& hostPath);

// Tests only: another deadline (zero: kWineToolDeadline again).
void SetWineToolDeadlineForTests(std::chrono::milliseconds deadline);

}  // namespace platform
