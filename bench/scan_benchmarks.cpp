// Each scan phase against its bare loop and its floor, and the whole scan on TestHost, over the
// bench machine.
#include <benchmark/benchmark.h>

#include <functional>

#include "bare_scans.h"
#include "bench_machine.h"
#include "floor_scans.h"
#include "support/main_window.h"
#include "test_host_scope.h"
#include "ui/frm_main.h"

namespace bench {
namespace {

// One whole scan from the start button; the number of threats it listed.
int ScanFromStartButton() {
    FrmMainForm& main = test_support::LoadMainWindowWithoutStartUp();
    main.cmdScanNow.Click();
    return main.lvwPicRemoveListOfSpywareFoundAndToBeRemoved.ListItems.Count();
}

// A scan whose only definitions are those of kind: the phase that reads them, the other phases
// finding nothing to do.
void BM_Phase(benchmark::State& state, DefinitionKind kind) {
    BenchMachine& machine = TheBenchMachine();
    machine.UseDefinitions({kind});
    machine.SetOptionalPhases(kind == DefinitionKind::Cookies, kind == DefinitionKind::Programs,
                              kind == DefinitionKind::Registry);
    TestHostScope host;
    int threats = 0;
    for (auto _ : state) {
        threats = ScanFromStartButton();
    }
    state.counters["threats"] = threats;
}

void BM_Bare(benchmark::State& state, DefinitionKind kind, int (*bare)()) {
    TheBenchMachine().UseDefinitions({kind});
    int hits = 0;
    for (auto _ : state) {
        hits = bare();
        benchmark::DoNotOptimize(hits);
    }
    state.counters["hits"] = hits;
}

// A floor made ready by prepare (untimed), then timed.
using PreparedFloor = std::function<int()>;
void BM_Floor(benchmark::State& state, DefinitionKind kind,
              const std::function<PreparedFloor()>& prepare) {
    TheBenchMachine().UseDefinitions({kind});
    const PreparedFloor floor = prepare();
    int hits = 0;
    for (auto _ : state) {
        hits = floor();
        benchmark::DoNotOptimize(hits);
    }
    state.counters["hits"] = hits;
}

PreparedFloor PreparedFileFloor() {
    return [targets = ResolveFileTargets()] { return FileFloor(targets); };
}

PreparedFloor PreparedFolderFloor() {
    return [targets = ResolveFolderTargets()] { return FolderFloor(targets); };
}

PreparedFloor PreparedRegistryFloor() {
    return [keys = IndexHiveFiles()] { return RegistryFloor(keys); };
}

PreparedFloor PreparedProcessFloor() {
    return &ProcessFloor;
}

void BM_WholeScanTestHost(benchmark::State& state) {
    BenchMachine& machine = TheBenchMachine();
    machine.UseAllDefinitions();
    machine.SetOptionalPhases(true, true, true);
    TestHostScope host;
    int threats = 0;
    for (auto _ : state) {
        threats = ScanFromStartButton();
    }
    state.counters["threats"] = threats;
}

#define PHASE_PAIR(name, kind, bare)                                                        \
    BENCHMARK_CAPTURE(BM_Phase, name, DefinitionKind::kind)->Unit(benchmark::kMillisecond); \
    BENCHMARK_CAPTURE(BM_Bare, name, DefinitionKind::kind, &bare)->Unit(benchmark::kMillisecond)
#define PHASE_FLOOR(name, kind, prepare) \
    BENCHMARK_CAPTURE(BM_Floor, name, DefinitionKind::kind, &prepare)->Unit(benchmark::kMillisecond)

PHASE_PAIR(files, Files, BareFileScan);
PHASE_FLOOR(files, Files, PreparedFileFloor);
PHASE_PAIR(folders, Folders, BareFolderScan);
PHASE_FLOOR(folders, Folders, PreparedFolderFloor);
PHASE_PAIR(registry, Registry, BareRegistryScan);
PHASE_FLOOR(registry, Registry, PreparedRegistryFloor);
PHASE_PAIR(processes, Programs, BareProcessScan);
PHASE_FLOOR(processes, Programs, PreparedProcessFloor);
// The cookie phase has no floor of its own: its bare loop already lists the folder once and makes
// one hash look-up per cookie.
PHASE_PAIR(cookies, Cookies, BareCookieScan);
BENCHMARK(BM_WholeScanTestHost)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace bench
