// Items per second of a whole scan over a file definition file of 100,000 records, the optional
// phases switched off: the cost of reading, decoding, expanding and testing each named path.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <limits>
#include <string>

#include "engine/globals.h"
#include "forms/form_registry.h"
#include "forms/test_host.h"
#include "foundation/brand.h"
#include "foundation/definition_files.h"
#include "foundation/globals.h"
#include "foundation/line_codec.h"
#include "foundation/settings_store.h"
#include "localization/globals.h"
#include "platform/text_encoding.h"
#include "support/main_window.h"
#include "support/scoped_environment.h"
#include "support/temporary_folder.h"
#include "support/temporary_prefix.h"
#include "support/temporary_program_folder.h"

namespace {

constexpr int kRecords = 100'000;
// One record in this many names a file that is there.
constexpr int kPresentEvery = 100;

std::string EncodedLines(int count) {
    std::string bytes;
    for (int i = 0; i < count; ++i) {
        const std::string line = "tool" + std::to_string(i) + ".exe=Threat " +
                                 std::to_string(i % 500) + "|[progfil]Vendor" +
                                 std::to_string(i % 50) + "|Adware";
        bytes += platform::Utf8ToWindows1252(EncodeLine(line)) + "\r\n";
    }
    return bytes;
}

// A prefix, program folder and settings of their own, the definitions written and counted.
class ScanBench {
  public:
    ScanBench() {
        // Every record yields once; many scans pass the host's guard against endless loops.
        host_.SetDoEventsLimit(std::numeric_limits<int>::max());
        InitBrandSettings();
        gLanguages = std::make_unique<clsLanguages>();
        gLanguages->LoadDefaultMessages();
        for (const char* key : {"chkScanCookies", "chkSweepMemory", "chkScanRegistry"}) {
            SaveSetting(gProgramName, "OptionAndSettings", key, "0");
        }
        program_.WriteFile(std::string(kFileDefinitionFile), EncodedLines(kRecords));
        for (const std::string_view name : {kDirectoryDefinitionFile, kRegistryDefinitionFile,
                                            kExeDefinitionFile, kBlockedCookiesFile}) {
            program_.WriteFile(std::string(name), "");
        }
        for (int i = 0; i < kRecords; i += kPresentEvery) {
            machine_.prefix().WriteFile("Program Files/Vendor" + std::to_string(i % 50) + "/tool" +
                                            std::to_string(i) + ".exe",
                                        "x");
        }
        gDefinitionsTotal = CountDefinitions();
    }
    ~ScanBench() {
        forms::DestroyAllForms();
        ResetLocalizationGlobals();
    }

    // One whole scan from the start button; the number of threats it listed.
    int Scan() {
        FrmMainForm& main = test_support::LoadMainWindowWithoutStartUp();
        main.cmdScanNow.Click();
        return main.lvwPicRemoveListOfSpywareFoundAndToBeRemoved.ListItems.Count();
    }

  private:
    test_support::TemporaryFolder config_{"tollenwark-bench-config"};
    test_support::ScopedEnvironmentVariable configHome_{"XDG_CONFIG_HOME", config_.path().string()};
    forms::TestHost host_{[](const std::string& message) {
        std::fprintf(stderr, "unexpected: %s\n", message.c_str());
    }};
    forms::ScopedHost installed_{host_};
    test_support::TemporaryMachine machine_;
    test_support::TemporaryProgramFolder program_;
};

void BM_ScanSequencer(benchmark::State& state) {
    ScanBench bench;
    for (auto _ : state) {
        benchmark::DoNotOptimize(bench.Scan());
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
    state.counters["threats"] = bench.Scan();
}
BENCHMARK(BM_ScanSequencer)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
