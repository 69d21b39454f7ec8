#include "foundation/http_access.h"

#include <functional>

#include "forms/host.h"
#include "forms/text_box.h"
#include "platform/http.h"
#include "platform/machine.h"
#include "platform/text_encoding.h"

namespace {

// GETs url, calling afterPiece with the number of the piece (from 1) and the bytes received so
// far after each piece, then yielding to the window loop.
std::string GetText(std::string_view url,
                    const std::function<void(int piece, std::size_t received)>& afterPiece) {
    int pieces = 0;
    std::size_t received = 0;
    platform::HttpListener listener;
    listener.onPiece = [&](std::string_view piece) {
        received += piece.size();
        afterPiece(++pieces, received);
        forms::DoEvents();
        return platform::HttpFlow::Continue;
    };
    const platform::HttpResult result = platform::HttpGet(url, listener);
    return result.succeeded() ? platform::Windows1252ToUtf8(result.body) : std::string();
}

}  // namespace

std::string HttpGetText(std::string_view url) {
    return GetText(url, [](int, std::size_t) {});
}

std::string HttpGetTextWithProgress(std::string_view url, forms::TextBox& statusBox) {
    return GetText(url, [&statusBox](int piece, std::size_t received) {
        if (piece > 1) {
            statusBox.SetText("Downloaded " + std::to_string(received) + " bytes.");
        }
    });
}

bool DownloadUrlToFile(std::string_view url, std::string_view filePath) {
    const auto target = platform::CurrentMachine().paths().ToHost(filePath);
    return target && platform::DownloadUrlToHostFile(url, *target).succeeded();
}
