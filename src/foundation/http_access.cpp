#include "foundation/http_access.h"

#include <algorithm>
#include <utility>

#include "forms/host.h"
#include "platform/machine.h"
#include "platform/text_encoding.h"

namespace {

platform::HttpLimits& RequestLimits() {
    static platform::HttpLimits limits;
    return limits;
}

platform::HttpLimits LimitsWithin(std::chrono::milliseconds deadline) {
    platform::HttpLimits limits = RequestLimits();
    limits.deadline = std::min(limits.deadline, deadline);
    return limits;
}

// Addresses carry 8-bit text like the bodies do: the codec's names in "data=" go out as their
// Windows-1252 bytes.
std::string AddressBytes(std::string_view url) {
    return platform::Utf8ToWindows1252(url);
}

// After each piece: the progress from the second piece on, then a turn of the window loop. While
// no byte comes (a slow connect, a stalled server) the window loop runs too, so that the windows
// repaint and their timers tick for as long as the request waits. A request the caller abandoned
// during either turn ends there.
platform::HttpListener YieldingListener(const TextRequest& request) {
    const auto flow = [&request] {
        return request.abandoned && request.abandoned() ? platform::HttpFlow::Abort
                                                        : platform::HttpFlow::Continue;
    };
    platform::HttpListener listener;
    listener.onPiece = [&request, flow, pieces = 0,
                        received = std::size_t{0}](std::string_view piece) mutable {
        received += piece.size();
        if (++pieces > 1 && request.showProgress) {
            request.showProgress("Downloaded " + std::to_string(received) + " bytes.");
        }
        forms::DoEvents();
        return flow();
    };
    listener.onWait = [flow] {
        forms::DoEvents();
        return flow();
    };
    // Between yields the window loop sleeps until the server sends or the time is up.
    listener.waitForSockets = [](const platform::HttpSockets& sockets,
                                 std::chrono::milliseconds limit) {
        return forms::CurrentHost().WaitForSockets(sockets.readable, sockets.writable, limit);
    };
    return listener;
}

bool IsWhole(const platform::HttpResult& result) {
    return result.succeeded() && result.status < 400 && result.delimited;
}

}  // namespace

TextAnswer GetTextAnswer(std::string_view url, const TextRequest& request) {
    const platform::HttpResult result = platform::HttpGet(
        AddressBytes(url), YieldingListener(request), LimitsWithin(request.deadline));
    TextAnswer answer;
    answer.whole = IsWhole(result);
    answer.abandoned = result.error == platform::HttpError::Aborted;
    if (answer.whole) {
        answer.text = platform::Windows1252ToUtf8(result.body);
    }
    return answer;
}

std::string HttpGetText(std::string_view url) {
    return GetTextAnswer(url, {}).text;
}

bool DownloadUrlToFile(std::string_view url, std::string_view filePath) {
    const auto target = platform::CurrentMachine().paths().ToHost(filePath);
    const TextRequest request{kLongAnswerDeadline, {}, {}};
    return target &&
           platform::DownloadUrlToHostFile(AddressBytes(url), *target, YieldingListener(request),
                                           LimitsWithin(request.deadline))
               .succeeded();
}

platform::HttpLimits SetHttpLimitsForTests(const platform::HttpLimits& limits) {
    return std::exchange(RequestLimits(), limits);
}
