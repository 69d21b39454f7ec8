#include "budget_table.h"

#include <cstdio>

namespace bench {
namespace {

struct Row {
    std::string measure;
    std::string value;
    std::string against;
    std::string ratio;
    std::string budget;
    bool met = false;
};

std::string Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string Milliseconds(double seconds) {
    return Format("%.0f ms", seconds * 1000);
}

class Table {
  public:
    explicit Table(const BudgetTableReporter& timings) : timings_(timings) {}

    // measure / against within limit times.
    void AddRatio(const std::string& measure, const std::string& measured,
                  const std::string& againstLabel, const std::string& against, double limit) {
        const auto value = timings_.SecondsOf(measured);
        const auto base = timings_.SecondsOf(against);
        if (value && base) {
            AddRatio(measure, *value, againstLabel, *base, limit);
        }
    }
    void AddRatio(const std::string& measure, double value, const std::string& againstLabel,
                  double base, double limit) {
        const double ratio = value / base;
        rows_.push_back({measure, Milliseconds(value), againstLabel + " " + Milliseconds(base),
                         Format("%.2f", ratio), Format("<= %.1fx", limit), ratio <= limit});
    }
    // The benchmark's time per iteration under limitSeconds, shown in milliseconds with the
    // decimals of valueFormat.
    void AddLimit(const std::string& measure, const std::string& benchmarkName, double limitSeconds,
                  const char* valueFormat = "%.0f ms") {
        if (const auto seconds = timings_.SecondsOf(benchmarkName)) {
            AddLimit(measure, Format(valueFormat, *seconds * 1000), *seconds,
                     Format("< %g ms", limitSeconds * 1000), limitSeconds);
        }
    }
    void AddLimit(const std::string& measure, const std::string& value, double amount,
                  const std::string& budget, double limit, const std::string& against = "") {
        rows_.push_back({measure, value, against, "", budget, amount < limit});
    }

    std::string Text(bool& allMet) const {
        std::string text;
        allMet = true;
        const auto line = [&text](const Row& row, const std::string& result) {
            char buffer[256];
            std::snprintf(buffer, sizeof buffer, "%-42s %10s  %-24s %6s  %-9s %s\n",
                          row.measure.c_str(), row.value.c_str(), row.against.c_str(),
                          row.ratio.c_str(), row.budget.c_str(), result.c_str());
            text += buffer;
        };
        line({"measure", "time", "against", "ratio", "budget"}, "result");
        for (const Row& row : rows_) {
            line(row, row.met ? "met" : "MISSED");
            allMet = allMet && row.met;
        }
        return text;
    }

  private:
    const BudgetTableReporter& timings_;
    std::vector<Row> rows_;
};

}  // namespace

void BudgetTableReporter::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.iterations > 0 && run.run_type == Run::RT_Iteration) {
            seconds_[run.run_name.function_name + (run.run_name.args.empty() ? "" : "/") +
                     run.run_name.args] =
                run.real_accumulated_time / static_cast<double>(run.iterations);
        }
    }
}

std::optional<double> BudgetTableReporter::SecondsOf(const std::string& name) const {
    const auto found = seconds_.find(name);
    return found == seconds_.end() ? std::nullopt : std::optional<double>(found->second);
}

std::string BudgetTable(const BudgetTableReporter& timings, const std::optional<ProbeResult>& probe,
                        const std::optional<QuietShieldsResult>& quiet, bool& allMet) {
    Table table(timings);
    for (const char* phase : {"files", "folders", "registry", "processes", "cookies"}) {
        const std::string measure = std::string(phase) + " phase, 100,000 records";
        const std::string measured = std::string("BM_Phase/") + phase;
        table.AddRatio(measure, measured, "floor", std::string("BM_Floor/") + phase, 3.0);
        table.AddRatio(measure, measured, "bare", std::string("BM_Bare/") + phase, 2.0);
    }
    const auto testHostScan = timings.SecondsOf("BM_WholeScanTestHost");
    if (probe && testHostScan) {
        table.AddRatio("whole scan, Qt host (offscreen)", probe->qtScanSeconds, "TestHost",
                       *testHostScan, 1.5);
    }
    if (probe) {
        table.AddLimit("whole scan, Qt host, 500,000 records", Milliseconds(probe->qtScanSeconds),
                       probe->qtScanSeconds, "< 2000 ms", 2.0);
    }
    table.AddRatio("update, 10,000 adds + 10,000 deletions", "BM_ApplyUpdatePackage", "copy",
                   "BM_PlainCopy", 3.0);
    table.AddLimit("folder of 20,000 files quarantined", "BM_QuarantineFolderMoved", 1.0);
    table.AddRatio("the same from another file system", "BM_QuarantineFolderCopied", "cp+sync",
                   "BM_CopyAndFlush", 2.0);
    table.AddLimit("removal, 100 registry entries, Wine running", "BM_RemovalThroughRunningWine/0",
                   2.0);
    table.AddRatio("the same, 25 of them HKLM's", "BM_RemovalThroughRunningWine/1", "HKLM export",
                   "BM_ExportOfTheMachineKeys", 1.5);
    table.AddLimit("the same, no restore point", "BM_RemovalThroughRunningWine/2", 2.0);
    table.AddLimit("home-page shield tick, Wine running", "BM_HomePageTickThroughRunningWine",
                   0.005, "%.2f ms");
    table.AddLimit("language chooser, 10,000 languages", "BM_OpenLanguageChooser", 1.0);
    if (probe) {
        table.AddLimit("start-up to ready main window", Milliseconds(probe->startUpSeconds),
                       probe->startUpSeconds, "< 1000 ms", 1.0);
        table.AddLimit("peak memory after the whole scan", Format("%.1f MB", probe->peakMegabytes),
                       probe->peakMegabytes, "< 100 MB", 100.0);
    }
    if (quiet) {
        const double percent = 100 * quiet->cpuSeconds / quiet->seconds;
        table.AddLimit(
            "idle, both shields, " + std::to_string(quiet->prefixProcesses) + " prefix processes",
            Format("%.2f%%", percent), percent, "< 0.5%", 0.5,
            "of a core over " + Format("%.0f s", quiet->seconds));
    }
    return table.Text(allMet);
}

}  // namespace bench
