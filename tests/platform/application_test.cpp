#include "platform/application.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/path_mapper.h"
#include "support/child_process.h"
#include "support/scoped_environment.h"
#include "support/temporary_folder.h"
#include "support/temporary_program_folder.h"

namespace fs = std::filesystem;
using namespace platform;

namespace {

TEST(Application, TheProgramFolderIsAWindowsPathThroughZ) {
    test_support::TemporaryProgramFolder program;
    EXPECT_EQ(
        ProgramFolder(), "Z:" + [&] {
            std::string path = program.path().string();
            std::replace(path.begin(), path.end(), '/', '\\');
            return path;
        }());

    test_support::ScopedEnvironmentVariable unset("TOLLENWARK_PROGRAM_FOLDER", std::nullopt);
    const fs::path executable = fs::read_symlink("/proc/self/exe");
    EXPECT_EQ(ProgramFolder(), ZDrivePath(executable.parent_path()));
    EXPECT_EQ(ExecutableBaseName(), executable.filename().string());
}

TEST(Application, ASecondInstanceSeesTheFirstHoldingTheLock) {
    test_support::TemporaryFolder runtime;
    test_support::ScopedEnvironmentVariable variable("XDG_RUNTIME_DIR", runtime.path().string());
    const fs::path lockFile = InstanceLockFile();
    EXPECT_EQ(lockFile.parent_path().parent_path(), runtime.path());

    auto first = test_support::ChildProcess::Fork([&] {
        static InstanceLock held(lockFile);  // lives until the forked copy is stopped
    });
    EXPECT_TRUE(InstanceLock(lockFile).heldElsewhere());
    first.Stop();
    const InstanceLock alone(lockFile);
    EXPECT_FALSE(alone.heldElsewhere());
    EXPECT_TRUE(InstanceLock(lockFile).heldElsewhere());  // a third copy now sees this one
}

TEST(Application, ALockFolderThatIsNotOursIsNotTrusted) {
    test_support::TemporaryFolder runtime;
    const fs::path folder = runtime.path() / "tollenwark-lock";
    fs::create_directory(folder);
    fs::permissions(folder, fs::perms::all);  // writable by everyone
    EXPECT_FALSE(InstanceLock(folder / "instance.lock").heldElsewhere());
    EXPECT_FALSE(fs::exists(folder / "instance.lock"));
}

}  // namespace
