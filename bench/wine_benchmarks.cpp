// The registry while a Windows program of a real Wine prefix runs, so that Wine's server holds it:
// a removal of 100 registry entries (its restore point exported through Wine, its deletions one
// run of Wine's registry tool), and one tick of the home-page shield.
#include <benchmark/benchmark.h>

#include <memory>
#include <optional>

#include "bench_machine.h"
#include "engine/result_rows.h"
#include "foundation/globals.h"
#include "foundation/settings_store.h"
#include "platform/hive_server_lock.h"
#include "platform/machine.h"
#include "platform/wine_registry_tool.h"
#include "support/main_window.h"
#include "support/temporary_folder.h"
#include "support/wine_test_prefix.h"
#include "test_host_scope.h"
#include "ui/frm_main.h"

namespace bench {
namespace {

constexpr int kEntries = 100;  // half of them keys, half values

// A real prefix with a Windows program running in it for the whole run; not ready when Wine cannot
// make it here or its server does not run for it. Each benchmark installs it as the current machine
// for its own run only, so the other benchmarks keep theirs.
class RunningWine {
  public:
    RunningWine() {
        if (prefix_.Ready()) {
            program_.emplace(
                prefix_.Run("C:\\windows\\system32\\ping.exe", {"-n", "100000", "127.0.0.1"}));
            const std::string folder = prefix_.root().string();
            ready_ = platform::WineServerRuns(folder, platform::WineServerRoots(folder));
        }
    }
    bool ready() const { return ready_; }
    std::string folder() const { return prefix_.root().string(); }
    std::unique_ptr<platform::Machine> Machine() const {
        return platform::OpenMachine(platform::Prefix(prefix_.root()));
    }

  private:
    test_support::WineTestPrefix prefix_;
    std::optional<test_support::ChildProcess> program_;
    bool ready_ = false;
};

RunningWine& TheRunningWine() {
    static RunningWine wine;
    return wine;
}

// The bench machine, and the running prefix; false, with the benchmark skipped, when Wine could
// not make it.
bool RunningWineOrSkip(benchmark::State& state) {
    TheBenchMachine();
    if (!TheRunningWine().ready()) {
        state.SkipWithError("no Wine prefix with its server running could be made");
        return false;
    }
    return true;
}

const std::string kRunKey = "Software\\BenchRun";

std::string ThreatKey(int i) {
    return "Software\\BenchThreat" + std::to_string(i);
}

// The entries, made through the registry (one run of Wine's tool), and their ticked rows: all the
// user's, or every second key the machine's.
void PlantEntriesAndRows(FrmMainForm& main, bool machineKeys) {
    platform::Registry& registry = platform::CurrentMachine().registry();
    platform::ScopedRegistryChanges changes(registry);
    ResultLists lists = ResultListsOf(main);
    for (int i = 0; i < kEntries; ++i) {
        const bool key = i % 2 == 0;
        const std::string path = key ? ThreatKey(i) : kRunKey;
        const std::string value = key ? "" : "Start" + std::to_string(i);
        const platform::RegRoot root =
            machineKeys && i % 4 == 0 ? platform::HKEY_LOCAL_MACHINE : platform::HKEY_CURRENT_USER;
        platform::RegHandle handle = 0;
        registry.CreateKey(root, path, &handle);
        registry.SetValue(handle, key ? "Mode" : value, platform::RegValue::String("planted"));
        registry.CloseKey(handle);
        const std::string threat = "Bench threat " + std::to_string(i);
        AddRegistryTrace(lists, {root, path, value, threat});
        ReportThreat(lists, {threat, ResultKind::Registry, path, ""});
    }
    changes.Commit();
    for (forms::ListView* list : {&lists.threats, &lists.registryTraces}) {
        for (int row = 1; row <= list->ListItems.Count(); ++row) {
            list->ListItems(row).SetChecked(true);
        }
    }
}

// Range 0: the user's entries; 1: some of them the machine's, whose restore point then holds the
// export of the machine's keys (5 MB); 2: the same without a restore point (an older Windows).
void BM_RemovalThroughRunningWine(benchmark::State& state) {
    if (!RunningWineOrSkip(state)) {
        return;
    }
    platform::ScopedMachine machine(TheRunningWine().Machine());
    machine.machine().OverrideVersion(
        state.range(0) < 2
            ? std::nullopt
            : std::optional(platform::OsVersion{platform::VER_PLATFORM_WIN32_NT, 5, 0}));
    TestHostScope host;
    FrmMainForm& main = test_support::LoadMainWindowWithoutStartUp();
    int left = 0;
    for (auto _ : state) {
        state.PauseTiming();
        PlantEntriesAndRows(main, state.range(0) > 0);
        state.ResumeTiming();
        main.lblRemove.Click();
        left = main.lvwRegistryToBeDeleted.ListItems.Count();
    }
    state.counters["left"] = left;
}

// The shield looks at the start page while Wine's server holds the registry; the memory shield
// and the question stay out of it.
void BM_HomePageTickThroughRunningWine(benchmark::State& state) {
    if (!RunningWineOrSkip(state)) {
        return;
    }
    platform::ScopedMachine machine(TheRunningWine().Machine());
    TestHostScope host;
    {
        platform::Registry& registry = platform::CurrentMachine().registry();
        platform::RegHandle key = 0;
        platform::ScopedRegistryChanges changes(registry);
        registry.CreateKey(platform::HKEY_CURRENT_USER,
                           "Software\\Microsoft\\Internet Explorer\\Main", &key);
        registry.SetValue(key, "Start Page", platform::RegValue::String("about:blank"));
        registry.CloseKey(key);
    }
    SaveSetting(gProgramName, "OptionAndSettings", "optMemorySheildOn", "False");
    SaveSetting(gProgramName, "OptionAndSettings", "optIEHomePageSheildOn", "True");
    SaveSetting(gProgramName, "OptionAndSettings", "Homepage", "about:blank");
    FrmMainForm& main = test_support::LoadMainWindowWithoutStartUp();
    for (auto _ : state) {
        main.tmrCheckHomePage.Tick();
    }
}

// What the restore point's export of the machine's keys costs by itself.
void BM_ExportOfTheMachineKeys(benchmark::State& state) {
    if (!RunningWineOrSkip(state)) {
        return;
    }
    const test_support::TemporaryFolder folder("tollenwark-bench-export");
    for (auto _ : state) {
        platform::ExportThroughWine(TheRunningWine().folder(), folder.path(), {"HKLM"});
    }
}

BENCHMARK(BM_ExportOfTheMachineKeys)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RemovalThroughRunningWine)
    ->DenseRange(0, 2)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(BM_HomePageTickThroughRunningWine)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace bench
