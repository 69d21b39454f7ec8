// A folder of 20,000 files quarantined: moved in one rename when the quarantine shares its file
// system, copied (and flushed once) from another one, against `cp -a` and a flush of that file
// system for the same tree.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench_machine.h"
#include "engine/quarantine.h"
#include "engine/quarantine_log.h"
#include "platform/machine.h"
#include "support/temporary_folder.h"
#include "support/temporary_prefix.h"

namespace bench {
namespace {

namespace fs = std::filesystem;

constexpr int kFiles = 20'000;
constexpr int kFilesPerFolder = 200;
// A file system other than the one of the bench machine's temporary folder.
constexpr const char* kOtherFileSystem = "/dev/shm";

void WriteTree(const fs::path& root) {
    for (int i = 0; i < kFiles; ++i) {
        const fs::path folder = root / ("part" + std::to_string(i / kFilesPerFolder));
        if (i % kFilesPerFolder == 0) {
            fs::create_directories(folder);
        }
        std::ofstream(folder / ("file" + std::to_string(i) + ".dat")) << "file " << i << '\n';
    }
}

// A folder on the other file system, linked as drive D: while it lives.
struct OtherDrive {
    OtherDrive() { TheBenchMachine().prefix().LinkDrive('D', folder.path()); }
    ~OtherDrive() { TheBenchMachine().prefix().UnlinkDrive('D'); }

    const test_support::TemporaryFolder folder{"tollenwark-bench-other", kOtherFileSystem};
};

fs::path QuarantineHost() {
    return *platform::CurrentMachine().paths().ToHost(QuarantineFolder());
}

void QuarantineTree(benchmark::State& state, const fs::path& tree, const std::string& path) {
    platform::CurrentMachine().folders().Create(QuarantineFolder());
    for (auto _ : state) {
        state.PauseTiming();
        WriteTree(tree);
        state.ResumeTiming();
        QuarantinePath(path);
        state.PauseTiming();
        if (fs::exists(tree) || !fs::exists(QuarantineHost() / "Tree")) {
            state.SkipWithError("the folder was not quarantined");
        }
        test_support::RemoveTree(QuarantineHost() / "Tree");
        state.ResumeTiming();
    }
}

void BM_QuarantineFolderMoved(benchmark::State& state) {
    TheBenchMachine();
    QuarantineTree(state, platform::CurrentMachine().prefix().driveC() / "Tree", "C:\\Tree\\");
}

void BM_QuarantineFolderCopied(benchmark::State& state) {
    TheBenchMachine();
    const OtherDrive drive;
    QuarantineTree(state, drive.folder.path() / "Tree", "D:\\Tree\\");
}

void BM_CopyAndFlush(benchmark::State& state) {
    TheBenchMachine();
    const OtherDrive drive;
    const fs::path tree = drive.folder.path() / "Tree";
    const fs::path copy = QuarantineHost() / "Tree";
    const std::string command =
        "cp -a '" + tree.string() + "' '" + copy.string() + "' && sync -f '" + copy.string() + "'";
    fs::create_directories(QuarantineHost());
    for (auto _ : state) {
        state.PauseTiming();
        WriteTree(tree);
        state.ResumeTiming();
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("cp -a failed");
        }
        state.PauseTiming();
        test_support::RemoveTree(copy);
        test_support::RemoveTree(tree);
        state.ResumeTiming();
    }
}

BENCHMARK(BM_QuarantineFolderMoved)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QuarantineFolderCopied)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyAndFlush)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace bench
