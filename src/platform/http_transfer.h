#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/http.h"

// The one HTTP exchange under HttpGet and DownloadUrlToHostFile.
namespace platform {

// Takes each piece of the body; false when it cannot be kept (a download's write failed).
using HttpBodySink = std::function<bool(std::string_view piece)>;

struct HttpTransferOutcome {
    HttpError error = HttpError::None;
    std::string detail;
    long status = 0;         // the status of the final reply; 0 when none arrived
    bool delimited = false;  // see HttpResult::delimited
};

// Sends the program's GET for `url` and passes the body to `sink`, then to the listener, piece by
// piece. Pieces that arrived before a failure are passed on too.
HttpTransferOutcome RunHttpTransfer(std::string_view url, const HttpBodySink& sink,
                                    const HttpListener& listener, const HttpLimits& limits);

}  // namespace platform
