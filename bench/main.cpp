// The benchmark program: Google Benchmark's runs, then a fresh process of the program for start-up
// and memory, then the program left idle among many processes of a Wine prefix, then the budget
// table. "--startup-probe" makes this binary that fresh process.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "bench_machine.h"
#include "budget_table.h"
#include "quiet_shields.h"
#include "startup_probe.h"

namespace {

// Whole scans the fresh process makes on the Qt host; their mean is held against TestHost's.
constexpr int kProbeScans = 2;

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--startup-probe") == 0) {
        return bench::RunStartupProbe(argc, argv);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    bench::BudgetTableReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::fprintf(stderr,
                 "Starting the program as a fresh process (start-up, Qt host, memory)...\n");
    const auto probe =
        std::getenv("BENCH_NO_PROBE") ? std::nullopt : bench::ProbeFreshProcess(kProbeScans);
    if (!probe) {
        std::fprintf(stderr, "the fresh process failed: no start-up, Qt host or memory rows\n");
    }
    std::optional<bench::QuietShieldsResult> quiet;
    if (!std::getenv("BENCH_NO_IDLE")) {
        std::fprintf(stderr, "Leaving the program idle among the processes of a Wine prefix...\n");
        quiet = bench::ProbeQuietShields();
        if (!quiet) {
            std::fprintf(stderr, "the idle program could not be measured: no quiet-shields row\n");
        }
    }
    bool allMet = false;
    std::printf("\n%s", bench::BudgetTable(reporter, probe, quiet, allMet).c_str());
    benchmark::Shutdown();
    return allMet ? 0 : 2;
}
