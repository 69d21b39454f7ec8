#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

#include "platform/http.h"
#include "platform/http_transfer.h"
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

// A hidden file beside the target that receives the body; it takes the target's place only once
// it is complete, and disappears otherwise.
class PartialFile {
  public:
    explicit PartialFile(const fs::path& target) : target_(target) {
        std::string pattern = TemporaryFilePattern(target, kDownloadMarker);
        descriptor_ = mkstemp(pattern.data());
        if (descriptor_ >= 0) {
            path_ = pattern;
            fchmod(descriptor_, ModeFor(target));
        } else {
            problem_ = std::strerror(errno);
        }
    }
    PartialFile(const PartialFile&) = delete;
    PartialFile& operator=(const PartialFile&) = delete;
    ~PartialFile() {
        if (descriptor_ >= 0) {
            close(descriptor_);
        }
        if (!path_.empty()) {
            unlink(path_.c_str());
        }
    }

    bool IsOpen() const { return descriptor_ >= 0; }
    const std::string& Problem() const { return problem_; }

    bool Write(std::string_view bytes) {
        while (!bytes.empty()) {
            const ssize_t written = write(descriptor_, bytes.data(), bytes.size());
            if (written < 0 && errno == EINTR) {
                continue;
            }
            if (written <= 0) {
                problem_ = std::strerror(errno);
                return false;
            }
            bytes.remove_prefix(static_cast<std::size_t>(written));
        }
        return true;
    }

    // Puts the complete file in the target's place in one step.
    bool ReplaceTarget() {
        const bool flushed = fsync(descriptor_) == 0;
        const bool closed = close(descriptor_) == 0;
        descriptor_ = -1;
        if (!flushed || !closed || rename(path_.c_str(), target_.c_str()) != 0) {
            problem_ = std::strerror(errno);
            return false;
        }
        path_.clear();
        return true;
    }

  private:
    // A replaced file keeps its mode; a new one gets the usual mode of a data file.
    static mode_t ModeFor(const fs::path& target) {
        struct stat existing {};
        if (stat(target.c_str(), &existing) == 0) {
            return existing.st_mode & 07777;
        }
        return 0644;
    }

    fs::path target_;
    std::string path_;
    std::string problem_;
    int descriptor_ = -1;
};

bool IsSuccessStatus(long status) {
    return status >= 200 && status < 300;
}

HttpResult Failure(HttpError error, std::string detail) {
    return {{}, error, std::move(detail)};
}

}  // namespace

HttpResult DownloadUrlToHostFile(std::string_view url, const fs::path& target,
                                 const HttpListener& listener, const HttpLimits& limits) {
    if (IsReadOnlyFile(target)) {
        return Failure(HttpError::WriteFailed, "the file is read-only: " + target.string());
    }
    PartialFile partial(target);
    if (!partial.IsOpen()) {
        return Failure(HttpError::WriteFailed,
                       "cannot write beside " + target.string() + ": " + partial.Problem());
    }
    const auto writePiece = [&partial](std::string_view piece) { return partial.Write(piece); };
    HttpTransferOutcome outcome = RunHttpTransfer(url, writePiece, listener, limits);
    if (outcome.error == HttpError::WriteFailed) {
        return Failure(outcome.error, outcome.detail + ": " + partial.Problem());
    }
    if (outcome.error != HttpError::None) {
        return Failure(outcome.error, std::move(outcome.detail));
    }
    // An error page stored as a definitions file would be taken for definitions.
    if (!IsSuccessStatus(outcome.status)) {
        return Failure(HttpError::HttpStatus,
                       "the server answered with status " + std::to_string(outcome.status));
    }
    if (!partial.ReplaceTarget()) {
        return Failure(HttpError::WriteFailed,
                       "cannot replace " + target.string() + ": " + partial.Problem());
    }
    return {};
}

}  // namespace platform
