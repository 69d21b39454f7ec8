#include "forms/test_host.h"

#include <gtest/gtest.h>

#include <type_traits>

#include "forms/form_registry.h"
#include "forms/message_box.h"
#include "forms/timer.h"
#include "support/forms_fixture.h"

namespace {

using namespace std::chrono_literals;

class TimersForm : public forms::Form {
  public:
    TimersForm() : Form("frmTimers") {
        Timer2.SetInterval(2);
        tmrSlow.SetInterval(10);
        Timer2.OnTimer = [this] { log.push_back("2ms"); };
        tmrSlow.OnTimer = [this] {
            log.push_back("10ms");
            if (onSlowTick) {
                onSlowTick();
            }
        };
    }
    forms::Timer Timer2{*this, "Timer2"};
    forms::Timer tmrSlow{*this, "tmrSlow"};
    std::vector<std::string> log;
    std::function<void()> onSlowTick;
};

TimersForm& frmTimers() {
    return forms::DefaultInstance<TimersForm>();
}

long Count(const std::vector<std::string>& log, const std::string& entry) {
    return std::count(log.begin(), log.end(), entry);
}

class TestHostClock : public FormsTest {};

TEST_F(TestHostClock, TimersFireInTimeOrderAsTheClockAdvances) {
    auto& window = frmTimers();
    host.Advance(9ms);
    EXPECT_EQ(Count(window.log, "2ms"), 4);
    EXPECT_EQ(Count(window.log, "10ms"), 0);

    host.Advance(1ms);
    EXPECT_EQ(window.log.back(), "10ms") << "the 2 ms timer due at 10 ms was started first";
    EXPECT_EQ(window.log[window.log.size() - 2], "2ms");

    window.log.clear();
    host.Advance(140ms);
    EXPECT_EQ(Count(window.log, "2ms"), 70);
    EXPECT_EQ(Count(window.log, "10ms"), 14);
}

TEST_F(TestHostClock, ATimerSwitchedOffInItsHandlerStopsAndOnAgainRestartsItsInterval) {
    auto& window = frmTimers();
    window.Timer2.SetEnabled(false);
    window.onSlowTick = [&] {
        window.tmrSlow.SetEnabled(false);
        window.tmrSlow.SetEnabled(true);
    };
    host.Advance(15ms);
    host.Advance(5ms);
    EXPECT_EQ(Count(window.log, "10ms"), 2);
    window.tmrSlow.SetInterval(0);
    host.Advance(100ms);
    EXPECT_EQ(Count(window.log, "10ms"), 2);
}

TEST_F(TestHostClock, TicksMissedWhileAHandlerYieldsAreMergedNotNested) {
    auto& window = frmTimers();
    window.Timer2.SetEnabled(false);
    int depth = 0;
    int deepest = 0;
    window.onSlowTick = [&] {
        ++depth;
        deepest = std::max(deepest, depth);
        if (Count(window.log, "10ms") == 1) {
            host.Advance(35ms);  // the handler waits in a nested loop for three intervals
        }
        --depth;
    };

    host.Advance(10ms);
    EXPECT_EQ(deepest, 1) << "a timer's tick never runs inside its own handler";
    EXPECT_EQ(Count(window.log, "10ms"), 1);
    host.Advance(10ms);
    EXPECT_EQ(Count(window.log, "10ms"), 2) << "the missed ticks came as one";
}

TEST_F(TestHostClock, TimersTickInsideDoEventsAndOpenMessageBoxes) {
    auto& window = frmTimers();
    window.Timer2.SetEnabled(false);
    host.SetDoEventsTimeStep(5ms);
    forms::DoEvents();
    forms::DoEvents();
    EXPECT_EQ(Count(window.log, "10ms"), 1);

    forms::TestHost::ExpectedMsgBox box;
    box.whileOpen = [this] { host.Advance(20ms); };
    host.ExpectMsgBox(box);
    forms::MsgBox("Paused");
    EXPECT_EQ(Count(window.log, "10ms"), 3);
}

TEST_F(TestHostClock, NowFollowsTheVirtualClockAcrossMidnight) {
    host.SetNow(platform::DateTime{2006, 12, 31, 23, 59, 59});
    host.Advance(1500ms);
    EXPECT_EQ(host.Now(), (platform::DateTime{2007, 1, 1, 0, 0, 0}));
    host.Advance(500ms);
    EXPECT_EQ(host.Now(), (platform::DateTime{2007, 1, 1, 0, 0, 1}));
}

TEST_F(TestHostClock, DoEventsActionsRunAtTheirCall) {
    std::vector<int> seen;
    host.OnDoEvents(3, [&] { seen.push_back(-3); });
    host.OnEveryDoEvents([&](int call) { seen.push_back(call); });
    for (int i = 0; i < 4; ++i) {
        forms::DoEvents();
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 2, -3, 3, 4}));
    EXPECT_EQ(host.DoEventsCount(), 4);
}

// A host whose failures the test collects instead of failing.
class TestHostScripts : public ::testing::Test {
  protected:
    std::vector<std::string> failures;
    std::optional<forms::TestHost> host{
        std::in_place, [this](const std::string& message) { failures.push_back(message); }};
    forms::ScopedHost installed{*host};
};

TEST_F(TestHostScripts, MessageBoxesAreAnsweredInOrderAndCarryTheApplicationTitle) {
    host->ExpectMsgBox(forms::MsgBoxResult::Yes, "Are you sure you want to stop the scan?");
    host->ExpectMsgBox(forms::MsgBoxResult::Ok);

    EXPECT_EQ(forms::MsgBox("Are you sure you want to stop the scan?",
                            forms::MsgBoxYesNo | forms::MsgBoxQuestion),
              forms::MsgBoxResult::Yes);
    EXPECT_EQ(forms::MsgBox("Done", forms::MsgBoxOkOnly, "Results"), forms::MsgBoxResult::Ok);

    EXPECT_TRUE(failures.empty());
    ASSERT_EQ(host->MsgBoxesShown().size(), 2u);
    EXPECT_EQ(host->MsgBoxesShown()[0].title, forms::ApplicationTitle());
    EXPECT_EQ(host->MsgBoxesShown()[0].style, 36);
    EXPECT_EQ(host->MsgBoxesShown()[1].title, "Results");
}

TEST_F(TestHostScripts, SurprisesAreReportedWithWhatTheProgramShowed) {
    EXPECT_EQ(forms::MsgBox("Delete everything?", forms::MsgBoxYesNoCancel),
              forms::MsgBoxResult::Cancel);
    host->ExpectMsgBox(forms::MsgBoxResult::Retry, "Other text");
    forms::MsgBox("Permission Denied", forms::MsgBoxOkOnly);
    host->ExpectMsgBox(forms::MsgBoxResult::Ok, "Never shown");
    host.reset();

    ASSERT_EQ(failures.size(), 4u);
    EXPECT_NE(failures[0].find("Delete everything?"), std::string::npos);
    EXPECT_NE(failures[1].find("Permission Denied"), std::string::npos);
    EXPECT_NE(failures[2].find("not a button"), std::string::npos);
    EXPECT_NE(failures[3].find("Never shown"), std::string::npos);
}

TEST_F(TestHostScripts, AModalWindowWithoutAScriptIsReportedAndClosed) {
    TimersForm& window = frmTimers();
    window.Show(forms::ShowMode::Modal);
    EXPECT_FALSE(window.Visible());
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find("frmTimers"), std::string::npos);
    forms::DestroyAllForms();
}

TEST_F(TestHostScripts, AWaitThatNeverEndsFailsInsteadOfHanging) {
    host->SetDoEventsLimit(50);
    bool answered = false;
    EXPECT_THROW(
        {
            while (!answered) {
                forms::DoEvents();
            }
        },
        forms::RunawayLoop);
    EXPECT_EQ(failures.size(), 1u);
}

TEST_F(TestHostScripts, EndingTheProcessIsThrownPastGuardsThatCatchStandardErrors) {
    static_assert(!std::is_base_of_v<std::exception, forms::ProcessEnded>);
    auto guardedEnd = [] {
        try {
            forms::CurrentHost().EndProcess();
        } catch (const std::exception&) {
        }
    };
    EXPECT_THROW(guardedEnd(), forms::ProcessEnded);
    EXPECT_TRUE(host->ProcessHasEnded());
}

TEST_F(TestHostScripts, TrayTipsAreCutToSixtyThreeCharacters) {
    const std::string tip = std::string(62, 'a') + "é" + "bcd";
    host->AddTrayIcon(forms::TrayIcon{7, 1, tip, "icon"});
    host->ModifyTrayIcon(forms::TrayIcon{7, 1, std::string(80, 'x'), "icon"});
    host->ModifyTrayIcon(forms::TrayIcon{8, 1, "no such icon", "icon"});

    ASSERT_EQ(host->TrayCalls().size(), 3u);
    EXPECT_EQ(host->TrayCalls()[0].icon.tip, std::string(62, 'a') + "é");
    EXPECT_EQ(host->TrayIcons().at(0).tip, std::string(63, 'x'));
    EXPECT_FALSE(host->DeleteTrayIcon(8, 1));
    EXPECT_TRUE(host->DeleteTrayIcon(7, 1));
    host->ClickTrayIcon(7, forms::tray_message::LeftDoubleClick);
    EXPECT_EQ(failures.size(), 1u) << "a deleted icon cannot be clicked";
}

TEST_F(TestHostScripts, OnlyOneWindowHoldsTheUpdateLock) {
    EXPECT_TRUE(host->LockWindowUpdate(10));
    EXPECT_FALSE(host->LockWindowUpdate(11));
    EXPECT_TRUE(host->LockWindowUpdate(0));
    EXPECT_TRUE(host->LockWindowUpdate(11));
    EXPECT_EQ(host->UpdateLockCalls(), (std::vector<std::int32_t>{10, 11, 0, 11}));
}

}  // namespace
