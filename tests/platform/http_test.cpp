#include "platform/http.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <utility>

#include "platform/http_address.h"
#include "server/definitions_server_process.h"

using namespace std::chrono_literals;
using platform::HttpError;
using platform::HttpFlow;
using platform::HttpGet;
using platform::HttpLimits;
using platform::HttpListener;

namespace {

// Limits short enough for a test that waits them out.
HttpLimits QuickLimits() {
    HttpLimits limits;
    limits.connectTimeout = 2s;
    limits.stallTimeout = 300ms;
    return limits;
}

std::string BodyOfLength(std::size_t length) {
    std::string body;
    for (std::size_t i = 0; i < length; ++i) {
        body += static_cast<char>('a' + i % 26);
    }
    return body;
}

// Records the size of every piece a request hands out.
struct PieceRecorder {
    std::vector<std::size_t> sizes;
    std::string joined;

    HttpListener Listener() {
        return {[this](std::string_view piece) {
                    sizes.push_back(piece.size());
                    joined.append(piece);
                    return HttpFlow::Continue;
                },
                {}};
    }
};

std::chrono::steady_clock::duration TimeOf(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::steady_clock::now() - start;
}

}  // namespace

TEST(HttpGet, ReturnsTheBodyInPiecesOf256Bytes) {
    DefinitionsServerProcess server;
    server.Serve("ten.txt", "0123456789");
    server.Serve("six-hundred.txt", BodyOfLength(600));

    PieceRecorder small;
    const auto ten = HttpGet(server.BaseUrl() + "/ten.txt", small.Listener());
    EXPECT_TRUE(ten.succeeded()) << ten.detail;
    EXPECT_EQ(ten.body, "0123456789");
    EXPECT_EQ(small.sizes, std::vector<std::size_t>({10}));

    PieceRecorder large;
    const auto six = HttpGet(server.BaseUrl() + "/six-hundred.txt", large.Listener());
    EXPECT_EQ(six.body, BodyOfLength(600));
    EXPECT_EQ(large.sizes, std::vector<std::size_t>({256, 256, 88}));
    EXPECT_EQ(large.joined, six.body);
}

TEST(HttpGet, SendsTheProgramsRequestDirectly) {
    DefinitionsServerProcess server;
    // A proxy from the environment must not be used: this one does not exist.
    setenv("http_proxy", "http://127.0.0.1:1", 1);
    const auto reply = HttpGet(server.BaseUrl() + "/echo/headers");
    unsetenv("http_proxy");

    EXPECT_TRUE(reply.succeeded()) << reply.detail;
    EXPECT_NE(reply.body.find("User-Agent: Mozilla\n"), std::string::npos) << reply.body;
    EXPECT_NE(reply.body.find("Pragma: no-cache\n"), std::string::npos) << reply.body;
    EXPECT_NE(reply.body.find("Cache-Control: no-cache\n"), std::string::npos) << reply.body;
}

TEST(HttpGet, SendsTheAddressBytesTheProgramWrote) {
    DefinitionsServerProcess server;
    HttpGet(server.BaseUrl() + "/asp/currentDateNEW.asp?prog=Tollen%20wark&comp=Acme Labs\n");
    EXPECT_EQ(server.RequestLines().at(0),
              "GET /asp/currentDateNEW.asp?prog=Tollen%20wark&comp=Acme%20Labs%0A HTTP/1.1");

    // Encoded names may hold any byte; each must reach the server's query parser as it is. Left
    // out here: a line break, which would split the server's log.
    std::string payload;
    for (int byte = 1; byte < 256; ++byte) {
        if (byte != '\n') {
            payload += static_cast<char>(byte);
        }
    }
    const auto reply =
        HttpGet(server.BaseUrl() + "/asp/getData.asp?data=" + platform::EscapeQueryValue(payload));
    EXPECT_EQ(reply.body, "Added");
    EXPECT_EQ(server.Submissions(), std::vector<std::string>({payload}));
}

TEST(HttpGet, ReturnsAnErrorPageLikeAnyBody) {
    DefinitionsServerProcess server;
    const auto reply = HttpGet(server.BaseUrl() + "/no-such-file.txt");
    EXPECT_TRUE(reply.succeeded());
    EXPECT_NE(reply.body.find("404"), std::string::npos);
}

TEST(HttpGet, EndsEmptyWithinItsTimeOutsWhenNoServerAnswers) {
    DefinitionsServerProcess closed;
    closed.Stop();
    HttpError error{};
    std::string body = "not yet";
    auto took = TimeOf([&] {
        const auto reply = HttpGet(closed.BaseUrl() + "/ten.txt", {}, QuickLimits());
        error = reply.error;
        body = reply.body;
    });
    EXPECT_EQ(error, HttpError::ConnectFailed);
    EXPECT_EQ(body, "");
    EXPECT_LT(took, 2s);

    DefinitionsServerOptions silent;
    silent.delayMs = 60'000;
    DefinitionsServerProcess mute(silent);
    int waits = 0;
    const HttpListener counting{{}, [&waits] {
                                    ++waits;
                                    return HttpFlow::Continue;
                                }};
    took = TimeOf([&] {
        const auto reply = HttpGet(mute.BaseUrl() + "/ten.txt", counting, QuickLimits());
        error = reply.error;
        body = reply.body;
    });
    EXPECT_EQ(error, HttpError::TimedOut);
    EXPECT_EQ(body, "");
    EXPECT_LT(took, 3s);
    EXPECT_GE(waits, 2) << "the caller's loop must keep running while the request waits";
}

TEST(HttpGet, RefusesAddressesThatAreNotWebAddresses) {
    for (const char* address : {"file:///etc/passwd", "ftp://127.0.0.1/x", ""}) {
        const auto reply = HttpGet(address, {}, QuickLimits());
        EXPECT_EQ(reply.error, HttpError::BadAddress) << address << ": " << reply.detail;
        EXPECT_EQ(reply.body, "") << address;
    }
}

TEST(HttpGet, KeepsWhatArrivedBeforeTheServerStalled) {
    DefinitionsServerOptions stalling;
    stalling.stallAfterBytes = 300;
    DefinitionsServerProcess server(stalling);
    server.Serve("six-hundred.txt", BodyOfLength(600));

    PieceRecorder pieces;
    const auto reply =
        HttpGet(server.BaseUrl() + "/six-hundred.txt", pieces.Listener(), QuickLimits());
    EXPECT_EQ(reply.error, HttpError::TimedOut);
    EXPECT_EQ(reply.body, BodyOfLength(300));
    EXPECT_EQ(pieces.sizes, std::vector<std::size_t>({256, 44}));
}

TEST(HttpGet, FailsRatherThanTakeABodyBeyondItsCap) {
    DefinitionsServerOptions huge;
    huge.hugeBodyBytes = platform::kHttpMaxBodyBytes + 1;
    DefinitionsServerProcess announced(huge);
    const auto tooBig = HttpGet(announced.BaseUrl() + "/ten.txt");
    EXPECT_EQ(tooBig.error, HttpError::TooLarge) << tooBig.detail;
    EXPECT_LE(tooBig.body.size(), platform::kHttpMaxBodyBytes);

    // A body of unannounced length is stopped once it passes the cap.
    DefinitionsServerOptions endless;
    endless.endless = true;
    DefinitionsServerProcess unending(endless);
    unending.Serve("ten.txt", "0123456789");
    HttpLimits limits = QuickLimits();
    limits.maxBodyBytes = 200'000;
    const auto capped = HttpGet(unending.BaseUrl() + "/ten.txt", {}, limits);
    EXPECT_EQ(capped.error, HttpError::TooLarge) << capped.detail;
    EXPECT_LE(capped.body.size(), limits.maxBodyBytes);
    EXPECT_EQ(capped.body.substr(0, 10), "0123456789");
}

TEST(HttpGet, StopsWhenTheCallerAborts) {
    DefinitionsServerOptions endless;
    endless.endless = true;
    DefinitionsServerProcess unending(endless);
    int pieces = 0;
    const HttpListener cancelAtThird{[&pieces](std::string_view) {
                                         return ++pieces == 3 ? HttpFlow::Abort
                                                              : HttpFlow::Continue;
                                     },
                                     {}};
    const auto reading = HttpGet(unending.BaseUrl() + "/x", cancelAtThird);
    EXPECT_EQ(reading.error, HttpError::Aborted);
    EXPECT_EQ(reading.body.size(), 3 * platform::kHttpPieceSize);

    DefinitionsServerOptions silent;
    silent.delayMs = 60'000;
    DefinitionsServerProcess mute(silent);
    const HttpListener cancelWhileWaiting{{}, [] { return HttpFlow::Abort; }};
    const auto took = TimeOf([&] {
        EXPECT_EQ(HttpGet(mute.BaseUrl() + "/x", cancelWhileWaiting).error, HttpError::Aborted);
    });
    EXPECT_LT(took, 2s);
}

TEST(HttpGet, LetsItsHandlersStartAnotherRequest) {
    DefinitionsServerProcess server;
    server.Serve("six-hundred.txt", BodyOfLength(600));
    server.Serve("ten.txt", "0123456789");
    std::vector<std::string> inner;
    const HttpListener nesting{[&](std::string_view) {
                                   inner.push_back(HttpGet(server.BaseUrl() + "/ten.txt").body);
                                   return HttpFlow::Continue;
                               },
                               {}};
    const auto outer = HttpGet(server.BaseUrl() + "/six-hundred.txt", nesting);
    EXPECT_EQ(outer.body, BodyOfLength(600));
    EXPECT_EQ(inner, std::vector<std::string>(3, "0123456789"));
}

TEST(HttpGet, OutlastsASlowHandler) {
    DefinitionsServerProcess server;
    const std::string large = BodyOfLength(1024 * 1024);
    server.Serve("large.txt", large);
    // A busy machine may keep the server from sending for a few hundred milliseconds: the
    // stall time-out leaves room for that, and the handler takes longer still.
    HttpLimits limits = QuickLimits();
    limits.stallTimeout = 1s;
    bool first = true;
    const HttpListener slowOnce{[&first](std::string_view) {
                                    if (std::exchange(first, false)) {
                                        std::this_thread::sleep_for(1500ms);  // a message box, say
                                    }
                                    return HttpFlow::Continue;
                                },
                                {}};
    const auto reply = HttpGet(server.BaseUrl() + "/large.txt", slowOnce, limits);
    EXPECT_TRUE(reply.succeeded()) << reply.detail;
    EXPECT_EQ(reply.body.size(), large.size());
}
