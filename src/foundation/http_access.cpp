#include "foundation/http_access.h"

#include <functional>
#include <utility>

#include "forms/host.h"
#include "forms/text_box.h"
#include "platform/machine.h"
#include "platform/text_encoding.h"

namespace {

platform::HttpLimits& RequestLimits() {
    static platform::HttpLimits limits;
    return limits;
}

// Addresses carry 8-bit text like the bodies do: the codec's names in "data=" go out as their
// Windows-1252 bytes.
std::string AddressBytes(std::string_view url) {
    return platform::Utf8ToWindows1252(url);
}

// Lets the window loop run while no byte comes (a slow connect, a stalled server), so that the
// windows repaint and their timers tick for as long as the request waits.
platform::HttpFlow YieldWhileWaiting() {
    forms::DoEvents();
    return platform::HttpFlow::Continue;
}

// Calls afterPiece with the number of the piece (from 1) and the bytes received so far after each
// piece, then yields to the window loop; yields while waiting too.
platform::HttpListener YieldingListener(
    const std::function<void(int piece, std::size_t received)>& afterPiece) {
    platform::HttpListener listener;
    listener.onPiece = [afterPiece, pieces = 0,
                        received = std::size_t{0}](std::string_view piece) mutable {
        received += piece.size();
        afterPiece(++pieces, received);
        forms::DoEvents();
        return platform::HttpFlow::Continue;
    };
    listener.onWait = YieldWhileWaiting;
    // Between yields the window loop sleeps until the server sends or the time is up.
    listener.waitForSockets = [](const platform::HttpSockets& sockets,
                                 std::chrono::milliseconds limit) {
        return forms::CurrentHost().WaitForSockets(sockets.readable, sockets.writable, limit);
    };
    return listener;
}

std::string GetText(std::string_view url,
                    const std::function<void(int piece, std::size_t received)>& afterPiece) {
    const platform::HttpResult result =
        platform::HttpGet(AddressBytes(url), YieldingListener(afterPiece), RequestLimits());
    return result.succeeded() ? platform::Windows1252ToUtf8(result.body) : std::string();
}

}  // namespace

std::string HttpGetText(std::string_view url) {
    return GetText(url, [](int, std::size_t) {});
}

std::string HttpGetTextWithProgress(std::string_view url, forms::TextBox& statusBox) {
    return HttpGetTextWithProgress(
        url, [&statusBox](const std::string& text) { statusBox.SetText(text); });
}

std::string HttpGetTextWithProgress(std::string_view url,
                                    const std::function<void(const std::string&)>& showProgress) {
    return GetText(url, [&showProgress](int piece, std::size_t received) {
        if (piece > 1) {
            showProgress("Downloaded " + std::to_string(received) + " bytes.");
        }
    });
}

bool DownloadUrlToFile(std::string_view url, std::string_view filePath) {
    const auto target = platform::CurrentMachine().paths().ToHost(filePath);
    return target && platform::DownloadUrlToHostFile(AddressBytes(url), *target,
                                                     YieldingListener([](int, std::size_t) {}),
                                                     RequestLimits())
                         .succeeded();
}

platform::HttpLimits SetHttpLimitsForTests(const platform::HttpLimits& limits) {
    return std::exchange(RequestLimits(), limits);
}
