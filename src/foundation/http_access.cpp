#include "foundation/http_access.h"

#include <functional>

#include "forms/host.h"
#include "forms/text_box.h"
#include "platform/http.h"
#include "platform/machine.h"
#include "platform/text_encoding.h"

namespace {

// Addresses carry 8-bit text like the bodies do: the codec's names in "data=" go out as their
// Windows-1252 bytes.
std::string AddressBytes(std::string_view url) {
    return platform::Utf8ToWindows1252(url);
}

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
    const platform::HttpResult result = platform::HttpGet(AddressBytes(url), listener);
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
    return target && platform::DownloadUrlToHostFile(AddressBytes(url), *target).succeeded();
}
