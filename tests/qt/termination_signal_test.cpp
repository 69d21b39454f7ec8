// A SIGTERM reaches the program on its event loop, where it may close its windows in order.
#include "qt/termination_signal.h"

#include <signal.h>

#include "qt_fixture.h"

namespace {

using TerminationSignal = QtHostTest;

TEST_F(TerminationSignal, RunsTheHandlerOnTheEventLoopInsteadOfEndingTheProcess) {
    int endings = 0;
    frontend::OnTerminationSignal([&endings] { ++endings; });

    ASSERT_EQ(raise(SIGTERM), 0);
    EXPECT_EQ(endings, 0) << "the signal handler itself runs no program code";
    EXPECT_TRUE(RunUntil([&] { return endings == 1; }));
    raise(SIGTERM);
    raise(SIGTERM);
    EXPECT_TRUE(RunUntil([&] { return endings >= 2; }));

    signal(SIGTERM, SIG_DFL);  // the rest of the suite runs as usual
}

}  // namespace
