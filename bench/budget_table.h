#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "quiet_shields.h"
#include "startup_probe.h"

// The one table of a bench run: each measurement beside what it is held against, and the budget.
namespace bench {

// Prints the benchmarks as they finish, as the console reporter does, and keeps their times.
class BudgetTableReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override;

    // Seconds per iteration of the benchmark of that name, when it ran.
    std::optional<double> SecondsOf(const std::string& name) const;

  private:
    std::map<std::string, double> seconds_;
};

// The table as text; a row whose measurement did not run is left out. True in allMet when every
// row kept its budget.
std::string BudgetTable(const BudgetTableReporter& timings, const std::optional<ProbeResult>& probe,
                        const std::optional<QuietShieldsResult>& quiet, bool& allMet);

}  // namespace bench
