#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "platform/file_errors.h"
#include "platform/http.h"
#include "platform/http_transfer.h"
#include "platform/pending_file.h"
#include "platform/temporary_files.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

// Read-only by the owner's write bit, as for every file the program treats (root ignores modes).
bool IsReadOnlyFile(const fs::path& path) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    return !error && fs::exists(status) &&
           (status.permissions() & fs::perms::owner_write) == fs::perms::none;
}

bool IsSuccessStatus(long status) {
    return status >= 200 && status < 300;
}

HttpResult Failure(HttpError error, std::string detail) {
    return {{}, error, std::move(detail)};
}

}  // namespace

// The body goes into a pending file beside the target, which takes the target's place only once
// the whole body is there; a replaced file keeps its mode.
HttpResult DownloadUrlToHostFile(std::string_view url, const fs::path& target,
                                 const HttpListener& listener, const HttpLimits& limits) {
    if (IsReadOnlyFile(target)) {
        return Failure(HttpError::WriteFailed, "the file is read-only: " + target.string());
    }
    PendingFile pending(target, kDownloadMarker);
    if (pending.status() != ERROR_SUCCESS) {
        return Failure(HttpError::WriteFailed, pending.failure());
    }
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) {
        ::fchmod(pending.descriptor(), existing.st_mode & 07777);
    }
    const auto writePiece = [&pending](std::string_view piece) {
        return pending.Write(piece) == ERROR_SUCCESS;
    };
    HttpTransferOutcome outcome = RunHttpTransfer(url, writePiece, listener, limits);
    if (outcome.error == HttpError::WriteFailed) {
        return Failure(outcome.error, outcome.detail + ": " + pending.failure());
    }
    if (outcome.error != HttpError::None) {
        return Failure(outcome.error, std::move(outcome.detail));
    }
    // An error page stored as a definitions file would be taken for definitions.
    if (!IsSuccessStatus(outcome.status)) {
        return Failure(HttpError::HttpStatus,
                       "the server answered with status " + std::to_string(outcome.status));
    }
    if (!outcome.delimited) {
        return Failure(HttpError::Unframed, "the server did not say where the body ends");
    }
    if (pending.Commit(true) != ERROR_SUCCESS) {
        return Failure(HttpError::WriteFailed, pending.failure());
    }
    return {};
}

}  // namespace platform
