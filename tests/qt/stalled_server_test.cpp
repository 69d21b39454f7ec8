// The window loop goes on while a request waits for a server that has fallen silent.
#include <chrono>

#include "foundation/http_access.h"
#include "qt_fixture.h"
#include "server/definitions_server_process.h"
#include "support/scoped_http_limits.h"

using namespace std::chrono_literals;

namespace {

using StalledServerLoop = QtHostTest;

TEST_F(StalledServerLoop, TimersKeepTickingWhileTheAnswerStalls) {
    DefinitionsServerOptions stalling;
    stalling.stallAfterBytes = 300;
    DefinitionsServerProcess server(stalling);
    server.Serve("thousand.txt", std::string(1000, 'x'));
    platform::HttpLimits limits;
    limits.stallTimeout = 1000ms;
    const test_support::ScopedHttpLimits oneSecond(limits);
    int ticks = 0;
    const forms::TimerId timer = host.StartTimer(50, [&ticks] { ++ticks; });

    EXPECT_EQ(HttpGetText(server.BaseUrl() + "/thousand.txt"), "");

    host.StopTimer(timer);
    EXPECT_GE(ticks, 10) << "a second of silence ticks a 50 ms timer about twenty times";
}

}  // namespace
