#include "platform/http_transfer.h"

#include <curl/curl.h>
#include <sys/select.h>

#include <algorithm>
#include <chrono>
#include <memory>

#include "platform/http_address.h"
#include "platform/text_case.h"

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;

void EnsureCurlInitialised() {
    static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    (void)initialised;
}

struct EasyHandleDeleter {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
struct MultiHandleDeleter {
    void operator()(CURLM* handle) const { curl_multi_cleanup(handle); }
};
struct HeaderListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using EasyHandle = std::unique_ptr<CURL, EasyHandleDeleter>;
using MultiHandle = std::unique_ptr<CURLM, MultiHandleDeleter>;
using HeaderList = std::unique_ptr<curl_slist, HeaderListDeleter>;

// Bytes libcurl has delivered that the caller has not yet taken as pieces. libcurl fills it from
// inside its own call; the caller takes from it only between those calls.
struct Arrivals {
    std::string pending;
    std::size_t total = 0;
    std::size_t cap = 0;
    bool overCap = false;
};

std::size_t KeepArrivedBytes(char* data, std::size_t size, std::size_t count, void* context) {
    auto& arrivals = *static_cast<Arrivals*>(context);
    const std::size_t length = size * count;
    if (length > arrivals.cap - arrivals.total) {
        arrivals.overCap = true;
        return 0;  // anything but `length` makes libcurl end the transfer
    }
    arrivals.pending.append(data, length);
    arrivals.total += length;
    return length;
}

constexpr std::string_view kTransferEncoding = "Transfer-Encoding:";

// Whether the final reply's body comes in the chunked encoding, whose last chunk marks its end.
// Every reply of a redirect chain starts with its status line, which forgets what came before.
std::size_t NoteFraming(char* data, std::size_t size, std::size_t count, void* context) {
    auto& chunked = *static_cast<bool*>(context);
    const std::string_view line(data, size * count);
    if (line.starts_with("HTTP/")) {
        chunked = false;
    } else if (EqualsIgnoringCase(line.substr(0, kTransferEncoding.size()), kTransferEncoding) &&
               FindIgnoringCase(line, "chunked") != std::string_view::npos) {
        chunked = true;
    }
    return size * count;
}

HeaderList NoCacheHeaders() {
    curl_slist* list = curl_slist_append(nullptr, "Pragma: no-cache");
    return HeaderList(curl_slist_append(list, "Cache-Control: no-cache"));
}

HttpError ErrorOf(CURLcode code, bool overCap) {
    switch (code) {
        case CURLE_OK:
            return HttpError::None;
        case CURLE_UNSUPPORTED_PROTOCOL:
        case CURLE_URL_MALFORMAT:
            return HttpError::BadAddress;
        case CURLE_COULDNT_RESOLVE_HOST:
        case CURLE_COULDNT_CONNECT:
            return HttpError::ConnectFailed;
        case CURLE_OPERATION_TIMEDOUT:
            return HttpError::TimedOut;
        case CURLE_FILESIZE_EXCEEDED:
            return HttpError::TooLarge;
        default:
            return overCap ? HttpError::TooLarge : HttpError::TransferFailed;
    }
}

class Transfer {
  public:
    Transfer(const HttpBodySink& sink, const HttpListener& listener, const HttpLimits& limits)
        : sink_(sink), listener_(listener), limits_(limits) {
        arrivals_.cap = limits.maxBodyBytes;
    }

    HttpTransferOutcome Run(std::string_view url) {
        if (!easy_ || !multi_ || !headers_) {
            return {HttpError::TransferFailed, "libcurl could not be started", 0};
        }
        Configure(EscapeAddressForRequestLine(url));
        curl_multi_add_handle(multi_.get(), easy_.get());
        HttpTransferOutcome outcome = Drive();
        curl_multi_remove_handle(multi_.get(), easy_.get());
        return outcome;
    }

  private:
    enum class Handout { Nothing, Some, Stopped };

    void Configure(const std::string& address) {
        CURL* easy = easy_.get();
        curl_easy_setopt(easy, CURLOPT_URL, address.c_str());
        curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(easy, CURLOPT_MAXREDIRS, 10L);
        curl_easy_setopt(easy, CURLOPT_PATH_AS_IS, 1L);  // the address goes out as written
        curl_easy_setopt(easy, CURLOPT_USERAGENT, "Mozilla");
        curl_easy_setopt(easy, CURLOPT_PROXY, "");  // direct, whatever the environment says
        curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers_.get());
        curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS,
                         static_cast<long>(limits_.connectTimeout.count()));
        curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE,
                         static_cast<curl_off_t>(limits_.maxBodyBytes));
        curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, errorText_);
        curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, KeepArrivedBytes);
        curl_easy_setopt(easy, CURLOPT_WRITEDATA, &arrivals_);
        curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, NoteFraming);
        curl_easy_setopt(easy, CURLOPT_HEADERDATA, &chunked_);
    }

    // Runs libcurl until the transfer ends, handing out pieces and waiting in between. The stall
    // time-out and the deadline are checked right after reading, never after a handler ran: bytes
    // that came while a handler was busy (a message box from the window loop) are read first.
    HttpTransferOutcome Drive() {
        const auto started = Clock::now();
        auto lastArrival = started;
        std::size_t totalSeen = 0;
        for (;;) {
            int running = 0;
            if (curl_multi_perform(multi_.get(), &running) != CURLM_OK) {
                return HandOutRestThen(
                    {HttpError::TransferFailed, "libcurl failed", StatusSoFar()});
            }
            if (running == 0) {
                return HandOutRestThen(FinishedOutcome());
            }
            if (arrivals_.total != totalSeen) {
                totalSeen = arrivals_.total;
                lastArrival = Clock::now();
            } else if (Clock::now() - lastArrival >= limits_.stallTimeout) {
                return HandOutRestThen(
                    {HttpError::TimedOut, "no data within the stall time-out", StatusSoFar()});
            }
            if (Clock::now() - started >= limits_.deadline) {
                return HandOutRestThen(
                    {HttpError::TimedOut, "not done within the deadline", StatusSoFar()});
            }
            const Handout handout = HandOutPieces(false);
            if (handout == Handout::Stopped) {
                return stop_;
            }
            if (handout == Handout::Nothing && listener_.onWait &&
                listener_.onWait() == HttpFlow::Abort) {
                return {HttpError::Aborted, "aborted while waiting", StatusSoFar()};
            }
            WaitForSockets(lastArrival);
        }
    }

    // Until a socket of the transfer is ready, libcurl wants a look or the stall time-out is due:
    // in the caller's event loop where it has one (so a silent server costs no processor time),
    // else in libcurl's own poll, a tick at a time.
    void WaitForSockets(Clock::time_point lastArrival) {
        using std::chrono::milliseconds;
        milliseconds limit =
            std::max(milliseconds(0), std::chrono::duration_cast<milliseconds>(
                                          limits_.stallTimeout - (Clock::now() - lastArrival)));
        long curlTimeout = -1;
        if (curl_multi_timeout(multi_.get(), &curlTimeout) == CURLM_OK && curlTimeout >= 0) {
            limit = std::min(limit, milliseconds(curlTimeout));
        }
        const HttpSockets sockets = SocketsOfTransfer();
        const bool noSocket = sockets.readable.empty() && sockets.writable.empty();
        if (listener_.waitForSockets &&
            listener_.waitForSockets(sockets, noSocket ? std::min(limit, kHttpWaitTick) : limit)) {
            return;
        }
        curl_multi_poll(multi_.get(), nullptr, 0,
                        static_cast<int>(std::min(limit, kHttpWaitTick).count()), nullptr);
    }

    HttpSockets SocketsOfTransfer() const {
        fd_set readable;
        fd_set writable;
        fd_set failed;
        FD_ZERO(&readable);
        FD_ZERO(&writable);
        FD_ZERO(&failed);
        int highest = -1;
        HttpSockets sockets;
        if (curl_multi_fdset(multi_.get(), &readable, &writable, &failed, &highest) != CURLM_OK) {
            return sockets;
        }
        for (int socket = 0; socket <= highest; ++socket) {
            if (FD_ISSET(socket, &readable)) {
                sockets.readable.push_back(socket);
            }
            if (FD_ISSET(socket, &writable)) {
                sockets.writable.push_back(socket);
            }
        }
        return sockets;
    }

    HttpTransferOutcome FinishedOutcome() {
        CURLcode code = CURLE_OK;
        int queued = 0;
        while (CURLMsg* message = curl_multi_info_read(multi_.get(), &queued)) {
            if (message->msg == CURLMSG_DONE) {
                code = message->data.result;
            }
        }
        const HttpError error = ErrorOf(code, arrivals_.overCap);
        return {error, DetailOf(code, error), StatusSoFar(), Delimited()};
    }

    bool Delimited() const {
        curl_off_t length = -1;
        long version = CURL_HTTP_VERSION_NONE;
        curl_easy_getinfo(easy_.get(), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
        curl_easy_getinfo(easy_.get(), CURLINFO_HTTP_VERSION, &version);
        return length >= 0 || chunked_ || version >= CURL_HTTP_VERSION_2_0;
    }

    // The short last piece, and whatever came before a failure, belong to the body too.
    HttpTransferOutcome HandOutRestThen(const HttpTransferOutcome& outcome) {
        return HandOutPieces(true) == Handout::Stopped ? stop_ : outcome;
    }

    // Passes every whole piece waiting to the sink and the listener; with `withShortLast`, the
    // rest as well.
    Handout HandOutPieces(bool withShortLast) {
        std::string& pending = arrivals_.pending;
        Handout handout = Handout::Nothing;
        std::size_t offset = 0;
        while (pending.size() - offset >= kHttpPieceSize ||
               (withShortLast && offset < pending.size())) {
            const auto piece = std::string_view(pending).substr(offset, kHttpPieceSize);
            offset += piece.size();
            handout = Handout::Some;
            if (!sink_(piece)) {
                stop_ = {HttpError::WriteFailed, "the body could not be stored", StatusSoFar()};
                handout = Handout::Stopped;
                break;
            }
            if (listener_.onPiece && listener_.onPiece(piece) == HttpFlow::Abort) {
                stop_ = {HttpError::Aborted, "aborted while reading", StatusSoFar()};
                handout = Handout::Stopped;
                break;
            }
        }
        pending.erase(0, offset);
        return handout;
    }

    long StatusSoFar() const {
        long status = 0;
        curl_easy_getinfo(easy_.get(), CURLINFO_RESPONSE_CODE, &status);
        return status;
    }

    std::string DetailOf(CURLcode code, HttpError error) const {
        if (error == HttpError::None) {
            return {};
        }
        if (error == HttpError::TooLarge) {
            return "the body is larger than " + std::to_string(limits_.maxBodyBytes) + " bytes";
        }
        return errorText_[0] != '\0' ? errorText_ : curl_easy_strerror(code);
    }

    const HttpBodySink& sink_;
    const HttpListener& listener_;
    const HttpLimits& limits_;
    EasyHandle easy_{curl_easy_init()};
    MultiHandle multi_{curl_multi_init()};
    HeaderList headers_ = NoCacheHeaders();
    Arrivals arrivals_;
    bool chunked_ = false;
    HttpTransferOutcome stop_;
    char errorText_[CURL_ERROR_SIZE] = {};
};

}  // namespace

HttpTransferOutcome RunHttpTransfer(std::string_view url, const HttpBodySink& sink,
                                    const HttpListener& listener, const HttpLimits& limits) {
    EnsureCurlInitialised();
    return Transfer(sink, listener, limits).Run(url);
}

}  // namespace platform
