#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// HTTP GET as the program sends it: agent "Mozilla", no proxy, always from the server (no cache),
// no retry. An error page comes back like any other body, with its status beside it for the caller
// to judge. The body is handed out in pieces so that the caller can yield to the window loop
// between them.
namespace platform {

// The largest piece of a body handed to a caller at once; every piece but the last has this size.
inline constexpr std::size_t kHttpPieceSize = 256;

// Limits that keep a dead or hostile server from hanging the program or filling its memory.
inline constexpr std::chrono::milliseconds kHttpConnectTimeout{15'000};
inline constexpr std::chrono::milliseconds kHttpStallTimeout{30'000};  // no byte for this long
// The whole request, however steadily a slow server trickles its bytes.
inline constexpr std::chrono::milliseconds kHttpDeadline{600'000};
inline constexpr std::size_t kHttpMaxBodyBytes = 16 * 1024 * 1024;

// How often a caller waiting for bytes hears from a request (see HttpListener::onWait).
inline constexpr std::chrono::milliseconds kHttpWaitTick{50};

struct HttpLimits {
    std::chrono::milliseconds connectTimeout = kHttpConnectTimeout;
    std::chrono::milliseconds stallTimeout = kHttpStallTimeout;
    std::chrono::milliseconds deadline = kHttpDeadline;
    std::size_t maxBodyBytes = kHttpMaxBodyBytes;
};

// What a caller's handler tells the running request.
enum class HttpFlow { Continue, Abort };

// The sockets a request waits on, as file descriptors: for bytes to read, or for room to write.
struct HttpSockets {
    std::vector<int> readable;
    std::vector<int> writable;
};

// Handlers run on the caller's thread and outside libcurl, so they may run the window loop, which
// may start other requests; a Cancel pressed there ends this request by returning Abort.
struct HttpListener {
    // Each piece of the body as it arrives, at most kHttpPieceSize bytes.
    std::function<HttpFlow(std::string_view piece)> onPiece;
    // About every kHttpWaitTick while no piece is ready (connecting, a slow server).
    std::function<HttpFlow()> onWait;
    // A caller with an event loop of its own waits in it rather than in the request: it returns
    // once one of the sockets is ready or the time given is up (at most kHttpWaitTick while the
    // request has no socket yet), and says whether it waited. Without it, or when it did not
    // wait, the request waits itself, at most kHttpWaitTick at a time.
    std::function<bool(const HttpSockets& sockets, std::chrono::milliseconds limit)>
        waitForSockets = nullptr;
};

enum class HttpError {
    None,
    BadAddress,      // not an http or https address libcurl can read
    ConnectFailed,   // no connection to the host (unknown name, refused, unreachable)
    TimedOut,        // the connect or stall time-out or the deadline ran out
    TooLarge,        // the body would exceed HttpLimits::maxBodyBytes
    Aborted,         // a handler returned HttpFlow::Abort
    TransferFailed,  // the connection broke or the reply could not be read
    HttpStatus,      // a download answered with an error status
    Unframed,        // a download's end could not be told from a broken connection
    WriteFailed,     // a download could not write its file
};

// What arrived, and why the request ended. A failed request keeps the bytes that came before the
// failure: the program's callers decide what a partial body is worth, and may log `detail`.
struct HttpResult {
    std::string body;
    HttpError error = HttpError::None;
    std::string detail;
    long status = 0;  // the status of the final reply; 0 when none arrived
    // Whether the reply announced where its body ends (a length, the chunked encoding, or a
    // protocol that frames every reply): only then does a closed connection mean the body is
    // whole, and not that it was cut.
    bool delimited = false;

    bool succeeded() const { return error == HttpError::None; }
};

// GETs `url` and returns the body as bytes (convert with Windows-1252 at the caller).
HttpResult HttpGet(std::string_view url, const HttpListener& listener = {},
                   const HttpLimits& limits = {});

// Stores the body of `url` in `target`, replacing the file only when the whole, delimited body has
// arrived with a success status; otherwise `target` is left as it was. The body is not kept in
// `body`.
HttpResult DownloadUrlToHostFile(std::string_view url, const std::filesystem::path& target,
                                 const HttpListener& listener = {}, const HttpLimits& limits = {});

}  // namespace platform
