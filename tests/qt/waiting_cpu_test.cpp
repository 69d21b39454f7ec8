// Every loop that waits for the user or for an event sleeps in the event loop: five seconds of
// waiting cost the process no measurable processor time, however long the user is away.
#include <time.h>

#include <QApplication>
#include <QTimer>
#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include "engine/spyware_alert.h"
#include "forms/message_box.h"
#include "foundation/globals.h"
#include "foundation/http_access.h"
#include "foundation/settings_store.h"
#include "main_window_fixture.h"
#include "platform/wine_tool.h"
#include "server/definitions_server_process.h"
#include "support/fake_wine.h"
#include "support/scoped_http_limits.h"
#include "ui/frm_about.h"
#include "ui/frm_spyware_found_alert.h"

using namespace std::chrono_literals;

namespace {

constexpr auto kWait = 5s;
// The sanitizers' checks make every instruction some times dearer; the waits themselves are the
// same.
#ifdef __SANITIZE_ADDRESS__
constexpr auto kBudget = 150ms;
#else
constexpr auto kBudget = 50ms;
#endif
// What showing a window costs once (fonts, layout, painting) comes before the waiting measured.
constexpr auto kSettle = 500ms;

std::chrono::nanoseconds ProcessorTime() {
    timespec used{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used);
    return std::chrono::seconds(used.tv_sec) + std::chrono::nanoseconds(used.tv_nsec);
}

struct WaitingLoop {
    const char* name;  // the test's name
    // Starts the wait and returns once it is over (AnswerAfterTheWait ends most of them).
    std::function<void()> wait;
};

// The processor time at the start and at the end of the five seconds measured.
std::optional<std::chrono::nanoseconds> gWaitStart;
std::optional<std::chrono::nanoseconds> gWaitEnd;

// Measures five seconds of the wait that follows; then answers it (when there is an answer to
// give).
void AnswerAfterTheWait(std::function<void()> answer) {
    QTimer::singleShot(kSettle, Qt::PreciseTimer, qApp, [] { gWaitStart = ProcessorTime(); });
    QTimer::singleShot(kSettle + kWait, Qt::PreciseTimer, qApp, [answer = std::move(answer)] {
        gWaitEnd = ProcessorTime();
        if (answer) {
            answer();
        }
    });
}

// The first request of a process sets the transfer library up, at a cost of its own.
void MakeAFirstRequest() {
    HttpGetText("http://127.0.0.1:9/");
}

class WaitingLoops : public QtMainWindowTest, public ::testing::WithParamInterface<WaitingLoop> {
  public:
    // A server that takes requests and never answers them.
    static inline std::unique_ptr<DefinitionsServerProcess> server;
};

TEST_P(WaitingLoops, UseNoProcessorTimeWhileTheyWait) {
    MakeAFirstRequest();
    DefinitionsServerOptions silent;
    silent.stallAfterBytes = 0;
    server = std::make_unique<DefinitionsServerProcess>(silent);
    server->Serve("date.txt", "3/17/2006");
    ProcessEvents();
    gWaitStart.reset();
    gWaitEnd.reset();
    GetParam().wait();
    ASSERT_TRUE(gWaitStart && gWaitEnd) << "it did not wait";
    const auto used = *gWaitEnd - *gWaitStart;
    EXPECT_LT(used, kBudget) << GetParam().name << " used "
                             << std::chrono::duration_cast<std::chrono::milliseconds>(used).count()
                             << " ms of processor time in " << kWait.count() << " s of waiting";
}

INSTANTIATE_TEST_SUITE_P(
    EveryWait, WaitingLoops,
    ::testing::Values(
        WaitingLoop{"TheSpywareAlert",
                    [] {
                        AnswerAfterTheWait([] { frmSpywareFoundAlert().cmdNO.Click(); });
                        RaiseSpywareAlert("pingbeacon.exe", "", RunningProgram{});
                    }},
        WaitingLoop{"AMessageBox",
                    [] {
                        AnswerAfterTheWait([] { QApplication::activeModalWidget()->close(); });
                        forms::MsgBox("Waiting", forms::MsgBoxOkOnly, "Test");
                    }},
        WaitingLoop{"AModalWindow",
                    [] {
                        AnswerAfterTheWait([] { frmAbout().Unload(); });
                        frmAbout().Show(forms::ShowMode::Modal);
                    }},
        WaitingLoop{"TheSchedulerInTheTray",
                    [] {
                        FrmMainForm& main = FrmMain();
                        for (const auto& [key, value] :
                             {std::pair{"chkAutomaticScanYesOrNo", "1"}, std::pair{"Day", "7"},
                              std::pair{"Time", "3:00:00 AM"}, std::pair{"Date", "Null"}}) {
                            SaveSetting(gProgramName, "OptionAndSettings", key, value);
                        }
                        main.SetWindowState(forms::WindowState::Minimized);
                        main.tmrScheduler.SetEnabled(true);
                        QEventLoop tray;
                        AnswerAfterTheWait([&tray] { tray.quit(); });
                        tray.exec();
                    }},
        WaitingLoop{"ARequestToASilentServer",
                    [] {
                        AnswerAfterTheWait({});
                        platform::HttpLimits limits;
                        limits.stallTimeout = kSettle + kWait + 1s;
                        const test_support::ScopedHttpLimits waitFiveSeconds(limits);
                        HttpGetText(WaitingLoops::server->BaseUrl() + "/date.txt");
                    }},
        WaitingLoop{"AWineTool",
                    [] {
                        const test_support::FakeWine wine(test_support::FakeWine::Behaviour::Hangs);
                        platform::SetWineToolDeadlineForTests(kSettle + kWait + 1s);
                        AnswerAfterTheWait({});
                        platform::RunWineTools("", {{"reg", "query", "HKCU"}});
                    }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
