#include "platform/http.h"

#include "platform/http_transfer.h"

namespace platform {

HttpResult HttpGet(std::string_view url, const HttpListener& listener, const HttpLimits& limits) {
    HttpResult result;
    const auto keepPiece = [&result](std::string_view piece) {
        result.body.append(piece);
        return true;
    };
    HttpTransferOutcome outcome = RunHttpTransfer(url, keepPiece, listener, limits);
    result.error = outcome.error;
    result.detail = std::move(outcome.detail);
    result.status = outcome.status;
    result.delimited = outcome.delimited;
    return result;
}

}  // namespace platform
