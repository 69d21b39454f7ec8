// An update package of 10,000 additions and 10,000 deletions applied to the 100,000-line definition
// files, against a plain copy of those files.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <string>

#include "bench_definitions.h"
#include "bench_machine.h"
#include "forms/host.h"
#include "foundation/definition_files.h"
#include "foundation/line_codec.h"
#include "foundation/program_folder.h"
#include "platform/machine.h"
#include "test_host_scope.h"
#include "update/update_package.h"

namespace bench {
namespace {

constexpr int kChangesPerKind = 2'000;  // five kinds: 10,000 additions and 10,000 deletions

struct KindChanges {
    std::string kind;
    std::string (*added)(int i);    // the definition an ADD carries
    std::string (*deleted)(int i);  // the key a DEL names: a line of the file
};

std::string Encoded(std::string_view text) {
    return EncodeLine(std::string(text));
}

std::string NewNamed(std::string_view name, int i) {
    return Encoded(std::string(name) + std::to_string(i)) + "=" + Encoded("New threat") + "|" +
           Encoded("[progfil]NewVendor");
}

const KindChanges kKinds[] = {
    {"FILE", [](int i) { return NewNamed("newtool", i) + ".exe"; },
     [](int i) { return Encoded("tool" + std::to_string(i * 37) + ".exe"); }},
    {"EXE", [](int i) { return NewNamed("newprog", i); },
     [](int i) { return Encoded("prog" + std::to_string(i * 37) + ".exe"); }},
    {"DIR", [](int i) { return NewNamed("newfolder", i); },
     [](int i) { return Encoded("folder" + std::to_string(i * 37)); }},
    {"REG",
     [](int i) {
         return "unused=" + Encoded("New threat") + "|" +
                Encoded("2^Software\\NewVendor\\Key" + std::to_string(i)) + "|" +
                Encoded("New entry");
     },
     [](int i) { return Encoded("2^" + RegistryKeyPath(i * 37) + "^Value"); }},
    {"COOK", [](int i) { return Encoded("newtracker" + std::to_string(i) + ".org"); },
     [](int i) { return Encoded("tracker" + std::to_string(i * 37 + 1) + ".net"); }},
};

std::string UpdatePackage() {
    std::string package;
    for (const KindChanges& kind : kKinds) {
        const std::string header = Encoded(kind.kind);
        for (int i = 0; i < kChangesPerKind; ++i) {
            package += header + "|ADD[DEF]" + kind.added(i) + "[BR]\r\n";
            package += header + "|DEL[DEF]" + kind.deleted(i) + "[BR]\r\n";
        }
    }
    return package;
}

const std::string_view kChangedFiles[] = {kFileDefinitionFile, kExeDefinitionFile,
                                          kDirectoryDefinitionFile, kRegistryDefinitionFile,
                                          kBlockedCookiesFile};

void BM_ApplyUpdatePackage(benchmark::State& state) {
    BenchMachine& machine = TheBenchMachine();
    const std::string package = UpdatePackage();
    TestHostScope host;
    std::int32_t changes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        machine.RestoreAllDefinitions();
        // The restored files on disk first: the update's own flushes would otherwise wait for them.
        ::sync();
        state.ResumeTiming();
        changes = ApplyDefinitionUpdate(package, [](const std::string&) { forms::DoEvents(); });
    }
    machine.RestoreAllDefinitions();  // after the loop: not timed
    state.counters["changes"] = changes;
}

// The files the package rewrites, read and written whole, each replaced as safely as the update
// replaces it.
void BM_PlainCopy(benchmark::State& state) {
    TheBenchMachine().UseAllDefinitions();
    const platform::Files& files = platform::CurrentMachine().files();
    for (auto _ : state) {
        for (const std::string_view name : kChangedFiles) {
            std::string bytes;
            files.ReadBytes(ProgramFolderFile(name), &bytes);
            files.ReplaceBytes(ProgramFolderFile(std::string(name) + ".copy"), bytes);
        }
    }
}

BENCHMARK(BM_ApplyUpdatePackage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainCopy)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace bench
