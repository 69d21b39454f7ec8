// Every test process runs with its own home, XDG folders, Wine prefix and program folder in a
// temporary folder, so no test ever reads or writes the real user's ~/.wine, ~/.config or
// ~/.local/share, or the build folder beside the test binaries. Each test gets per-user settings of
// its own besides: sharing them, a test would see what an earlier one saved and pass or fail by the
// order the tests run in.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/fresh_prefix.h"
#include "support/scoped_environment.h"
#include "support/temporary_folder.h"
#include "support/user_folders.h"

namespace test_support {
namespace {

class IsolatedEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        root_ = std::make_unique<TemporaryFolder>("tollenwark-test-run");
        const auto folder = [this](const char* name) {
            const auto path = root_->path() / name;
            std::filesystem::create_directories(path);
            return path.string();
        };
        for (const auto& [variable, name] : kUserFolderVariables) {
            SetEnvironmentVariable(variable, folder(name));
        }
        // The desktop (Qt among others) uses a runtime folder only when it is the user's alone.
        std::filesystem::permissions(root_->path() / "runtime", std::filesystem::perms::owner_all);
        SetEnvironmentVariable("TOLLENWARK_PROGRAM_FOLDER", folder("program"));
        const std::string prefix = folder("wine-prefix");
        SetEnvironmentVariable("WINEPREFIX", prefix);
        platform::LayDownFreshPrefix(prefix, "tester");
    }

    void TearDown() override { root_.reset(); }

    // A new, empty settings folder (XDG_CONFIG_HOME) for the test about to start.
    void GiveNextTestItsOwnSettings() {
        const auto path = root_->path() / "config" / ("test-" + std::to_string(++testsStarted_));
        std::filesystem::create_directories(path);
        SetEnvironmentVariable("XDG_CONFIG_HOME", path.string());
    }

  private:
    std::unique_ptr<TemporaryFolder> root_;
    int testsStarted_ = 0;
};

class OwnSettingsForEachTest : public ::testing::EmptyTestEventListener {
  public:
    explicit OwnSettingsForEachTest(IsolatedEnvironment& environment) : environment_(environment) {}
    void OnTestStart(const ::testing::TestInfo&) override {
        environment_.GiveNextTestItsOwnSettings();
    }

  private:
    IsolatedEnvironment& environment_;
};

IsolatedEnvironment* Isolate() {
    auto* environment = new IsolatedEnvironment;
    ::testing::AddGlobalTestEnvironment(environment);
    ::testing::UnitTest::GetInstance()->listeners().Append(
        new OwnSettingsForEachTest(*environment));
    return environment;
}

[[maybe_unused]] const auto* const kIsolatedEnvironment = Isolate();

}  // namespace
}  // namespace test_support
