#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace test_support {
class TemporaryPrefix;
}

// The machine every benchmark of a run scans: a home, settings, prefix and program folder of its
// own in a temporary folder (the environment points there, so a child process finds them too),
// with the hits of the definition set planted and the main window's first-run questions answered.
namespace bench {

enum class DefinitionKind { Files, Folders, Registry, Programs, Cookies };

class BenchMachine {
  public:
    BenchMachine();
    ~BenchMachine();
    BenchMachine(const BenchMachine&) = delete;
    BenchMachine& operator=(const BenchMachine&) = delete;

    // Writes the full file of each kind given and empties the others.
    void UseDefinitions(std::initializer_list<DefinitionKind> kinds);
    void UseAllDefinitions();
    // Writes every full file again, whatever was written before (after an update changed them).
    void RestoreAllDefinitions();
    // Switches the optional phases (cookies, memory, registry).
    void SetOptionalPhases(bool cookies, bool memory, bool registry);

    const std::filesystem::path& programFolder() const;
    const test_support::TemporaryPrefix& prefix() const;

  private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

// The one machine of this process, made on first use.
BenchMachine& TheBenchMachine();

}  // namespace bench
