// A second copy of the program, started while the first holds the instance lock, ends quietly.
// The second copy is a real process: this test binary started again, running the same test in the
// part marked as the second copy, with the folders of the first copy.
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <list>
#include <optional>
#include <string>
#include <vector>

#include "forms/form_registry.h"
#include "foundation/brand.h"
#include "foundation/globals.h"
#include "foundation/settings_store.h"
#include "platform/application.h"
#include "startup_fixture.h"
#include "support/scoped_environment.h"
#include "support/temporary_folder.h"
#include "ui/frm_hidden.h"
#include "ui/frm_language.h"
#include "ui/frm_main.h"
#include "ui/frm_splash.h"

extern char** environ;

using namespace std::chrono_literals;
namespace fs = std::filesystem;
using test_support::ScopedEnvironmentVariable;

namespace {

// The folders the first copy hands to the second, under names the test environment leaves alone.
constexpr const char* kSharedVariables[][2] = {
    {"XDG_RUNTIME_DIR", "SECOND_COPY_RUNTIME"},
    {"XDG_CONFIG_HOME", "SECOND_COPY_CONFIG"},
    {"TOLLENWARK_PROGRAM_FOLDER", "SECOND_COPY_PROGRAM"},
};

std::optional<std::string> Environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::nullopt : std::optional<std::string>(value);
}

bool IsTheSecondCopy() {
    return Environment("SECOND_COPY_RUNTIME").has_value();
}

// Starts this test binary running only this test; its exit status.
int RunThisTestAgain() {
    std::string self = fs::read_symlink("/proc/self/exe").string();
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string filter =
        std::string("--gtest_filter=") + test->test_suite_name() + "." + test->name();
    std::vector<char*> argv = {self.data(), filter.data(), nullptr};
    pid_t id = -1;
    if (::posix_spawn(&id, self.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
        return -1;
    }
    int status = 0;
    ::waitpid(id, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class SecondCopy : public StartupTest {
  protected:
    // The first copy's folders, as the second copy's own.
    void TakeFirstCopysFolders() {
        for (const auto& [variable, shared] : kSharedVariables) {
            scopes_.emplace_back(variable, Environment(shared));
        }
    }

    // The start-up must end the process once it knows another copy runs.
    void StartExpectingTheEnd() {
        frmSplash().Show();
        EXPECT_THROW(host.Advance(150ms), forms::ProcessEnded);
        EXPECT_TRUE(host.ProcessHasEnded());
        if (const auto* main = forms::LoadedInstance<FrmMainForm>()) {
            EXPECT_FALSE(main->Visible());
        }
        EXPECT_FALSE(forms::IsLoaded<FrmHiddenForm>());
        EXPECT_TRUE(host.MsgBoxesShown().empty());
        EndProgram();
    }

    std::list<ScopedEnvironmentVariable> scopes_;
};

TEST_F(SecondCopy, EndsQuietlyAfterAskingForTheLanguageOnAFirstRun) {
    if (IsTheSecondCopy()) {
        TakeFirstCopysFolders();
        ASSERT_TRUE(platform::PreviousInstance());
        // A first run still asks for the language before the copy ends.
        host.ExpectModalOf<FrmLanguageForm>([](FrmLanguageForm& chooser) { chooser.Unload(); });
        StartExpectingTheEnd();
        // The language is chosen now: the next copy ends without a question.
        StartExpectingTheEnd();
        return;
    }

    test_support::TemporaryFolder runtime{"tollenwark-runtime"};
    ScopedEnvironmentVariable runtimeVariable("XDG_RUNTIME_DIR", runtime.path().string());
    const platform::InstanceLock firstCopy(platform::InstanceLockFile());
    ASSERT_FALSE(firstCopy.heldElsewhere());
    program.WriteFile("DLBlockedCookies.dat", "a\r\n");
    program.WriteFile(".BlockedCookies.dat.tmp-AbC123", "the first copy writes it right now");

    std::list<ScopedEnvironmentVariable> handedOver;
    for (const auto& [variable, shared] : kSharedVariables) {
        handedOver.emplace_back(shared, Environment(variable));
    }
    EXPECT_EQ(RunThisTestAgain(), 0) << "the second copy's checks failed (see its output)";

    InitBrandSettings();
    EXPECT_EQ(GetSetting(gProgramName, "Settings", "Language", "<none>"), "English");
    EXPECT_EQ(GetSetting(gProgramName, "OptionAndSettings", "STATUS", "<none>"), "<none>");
    EXPECT_TRUE(fs::exists(program.path() / "DLBlockedCookies.dat"))
        << "a second copy leaves the definitions alone";
    EXPECT_TRUE(fs::exists(program.path() / ".BlockedCookies.dat.tmp-AbC123"))
        << "and the first copy's temporary files";
}

}  // namespace
