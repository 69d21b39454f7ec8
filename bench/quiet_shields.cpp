#include "quiet_shields.h"

#include <time.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "bench_machine.h"
#include "foundation/globals.h"
#include "foundation/machine_settings.h"
#include "platform/machine.h"
#include "platform/processes.h"
#include "support/temporary_folder.h"
#include "support/wine_test_prefix.h"

namespace bench {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr int kIdleProcesses = 300;
// Start-up, the first ticks of both shields, the protected start page saved and the first memory
// check (at the third tick of the home-page shield, which builds the definitions' cache) are over
// by then.
constexpr auto kSettling = 25s;
constexpr int kDefaultSeconds = 60;

// The processor time (user and system, every thread) the program has used; nothing once it ended.
std::optional<double> CpuSecondsOf(test_support::ChildProcess& program) {
    program.WaitForExit(0ms);
    clockid_t clock{};
    timespec time{};
    if (program.id() <= 0 || ::clock_getcpuclockid(program.id(), &clock) != 0 ||
        ::clock_gettime(clock, &time) != 0) {
        return std::nullopt;
    }
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_nsec) / 1e9;
}

// The prefix's running programs as the program lists them.
int PrefixProcesses(const fs::path& prefix) {
    const platform::ScopedMachine installation(platform::OpenMachine(platform::Prefix(prefix)));
    return static_cast<int>(platform::CurrentProcesses()
                                .Snapshot()
                                .value_or(std::vector<platform::ProcessEntry>{})
                                .size());
}

int MeasuredSeconds() {
    const char* text = std::getenv("BENCH_IDLE_SECONDS");
    const int seconds = text ? std::atoi(text) : 0;
    return seconds > 0 ? seconds : kDefaultSeconds;
}

}  // namespace

std::optional<QuietShieldsResult> ProbeQuietShields() {
    BenchMachine& machine = TheBenchMachine();
    machine.UseAllDefinitions();
    test_support::WineTestPrefix prefix;
    if (!prefix.Ready()) {
        return std::nullopt;
    }
    {
        // The first run's offer of an update is answered in this installation too.
        const platform::ScopedMachine installation(
            platform::OpenMachine(platform::Prefix(prefix.root())));
        SaveMachineSetting(gProgramName, "Settings", "FirstTime", "Yes");
    }
    std::vector<std::string> environment = prefix.Environment();

    // Windows programs: Wine's server runs for the prefix and holds its registry.
    const test_support::ChildProcess windowsProgram =
        prefix.Run("C:\\windows\\system32\\cmd.exe", {"/c", "ping -n 100000 127.0.0.1 >nul"});
    // The prefix's other processes: copies of a small native program under the name of Wine's
    // loader, with the prefix in their environment and a Windows path for a command line, as Wine
    // starts its processes. The program lists them as the prefix's programs, and looks at each
    // as at a Wine process; only their maps are shorter.
    const test_support::TemporaryFolder loaders("tollenwark-loader");
    const fs::path loader = loaders.path() / "wine64-preloader";
    fs::copy_file("/bin/sleep", loader);
    std::vector<test_support::ChildProcess> others;
    for (int i = 0; i < kIdleProcesses; ++i) {
        others.push_back(test_support::ChildProcess::RunNamed(
            loader, {"C:\\windows\\system32\\idle" + std::to_string(i) + ".exe", "infinity"},
            environment));
    }

    environment.push_back("QT_QPA_PLATFORM=offscreen");
    test_support::ChildProcess program =
        test_support::ChildProcess::Run(TOLLENWARK_PROGRAM, {}, environment);
    // Its id, for a profiler to look at it meanwhile (perf record -p).
    std::fprintf(stderr, "the program runs as process %d\n", static_cast<int>(program.id()));
    std::this_thread::sleep_for(kSettling);
    const int seconds = MeasuredSeconds();
    const std::optional<double> before = CpuSecondsOf(program);
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const std::optional<double> after = CpuSecondsOf(program);
    if (!before || !after) {
        std::fprintf(stderr, "the program ended while it was measured\n");
        return std::nullopt;
    }
    return QuietShieldsResult{static_cast<double>(seconds), *after - *before,
                              PrefixProcesses(prefix.root())};
}

}  // namespace bench
